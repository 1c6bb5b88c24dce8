// A TCP relay that stands for a slow network between the program and the database server: every
// chunk read from one side is written to the other side DELAY_MS milliseconds after it arrived, in
// order, in both directions (a round trip costs twice the delay). It also counts, per connection,
// the client's turns: the times the client speaks after the server last did, which is the number of
// round trips the client waited for.
//
// Usage: delayproxy TARGET_PORT DELAY_MS PORT_FILE STATS_FILE
//   listens on a free port of 127.0.0.1 and writes it to PORT_FILE; each accepted connection is
//   relayed to 127.0.0.1:TARGET_PORT; when a connection ends a line
//   "turns T chunks_up U bytes_up B chunks_down D bytes_down E" is appended to STATS_FILE.
//   Runs until killed.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Chunk
{
    Clock::time_point due;
    std::string bytes;  // empty: the sender closed its side
};

// The chunks of one direction, waiting for their time.
class Pipe
{
public:
    void push(Chunk chunk)
    {
        {
            std::lock_guard lock(m_mutex);
            m_chunks.push_back(std::move(chunk));
        }
        m_ready.notify_one();
    }

    Chunk pop()
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return !m_chunks.empty(); });
        Chunk chunk = std::move(m_chunks.front());
        m_chunks.pop_front();
        return chunk;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Chunk> m_chunks;
};

struct Counts
{
    std::mutex mutex;
    bool serverSpokeLast = true;  // the server greets first; the client's answer is its first turn
    long turns = 0, chunksUp = 0, bytesUp = 0, chunksDown = 0, bytesDown = 0;
};

std::chrono::microseconds g_delay{0};
std::string g_statsFile;
std::mutex g_statsMutex;

bool writeAll(int fd, const std::string &bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

void readSide(int from, Pipe &pipe, Counts &counts, bool fromClient)
{
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t n = ::recv(from, buffer.data(), buffer.size(), 0);
        if (n <= 0) {
            pipe.push({Clock::now() + g_delay, {}});
            return;
        }
        {
            std::lock_guard lock(counts.mutex);
            if (fromClient) {
                if (counts.serverSpokeLast)
                    ++counts.turns;
                counts.serverSpokeLast = false;
                ++counts.chunksUp;
                counts.bytesUp += n;
            } else {
                counts.serverSpokeLast = true;
                ++counts.chunksDown;
                counts.bytesDown += n;
            }
        }
        pipe.push({Clock::now() + g_delay, std::string(buffer.data(), size_t(n))});
    }
}

void writeSide(int to, Pipe &pipe)
{
    for (;;) {
        Chunk chunk = pipe.pop();
        std::this_thread::sleep_until(chunk.due);
        if (chunk.bytes.empty() || !writeAll(to, chunk.bytes)) {
            ::shutdown(to, SHUT_WR);
            return;
        }
    }
}

int connectTarget(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void noDelay(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void relay(int client, int targetPort)
{
    const int server = connectTarget(targetPort);
    if (server < 0) {
        ::close(client);
        return;
    }
    noDelay(client);
    noDelay(server);
    Pipe up, down;
    Counts counts;
    std::thread readers[] = {std::thread(readSide, client, std::ref(up), std::ref(counts), true),
                             std::thread(readSide, server, std::ref(down), std::ref(counts), false)};
    std::thread writers[] = {std::thread(writeSide, server, std::ref(up)),
                             std::thread(writeSide, client, std::ref(down))};
    for (std::thread &writer : writers)
        writer.join();
    // Both sides have been told the other closed; wake a reader still waiting on a half-open socket.
    ::shutdown(client, SHUT_RDWR);
    ::shutdown(server, SHUT_RDWR);
    for (std::thread &reader : readers)
        reader.join();
    ::close(client);
    ::close(server);

    std::lock_guard lock(g_statsMutex);
    std::ofstream stats(g_statsFile, std::ios::app);
    stats << "turns " << counts.turns << " chunks_up " << counts.chunksUp << " bytes_up " << counts.bytesUp
          << " chunks_down " << counts.chunksDown << " bytes_down " << counts.bytesDown << '\n';
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fputs("usage: delayproxy TARGET_PORT DELAY_MS PORT_FILE STATS_FILE\n", stderr);
        return 2;
    }
    const int targetPort = std::atoi(argv[1]);
    g_delay = std::chrono::microseconds(long(std::atof(argv[2]) * 1000));
    g_statsFile = argv[4];

    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(listener, 16) != 0
        || ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        std::perror("delayproxy");
        return 1;
    }
    {
        std::ofstream portFile(argv[3]);
        portFile << ntohs(address.sin_port) << '\n';
    }
    for (;;) {
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0)
            continue;
        std::thread(relay, client, targetPort).detach();
    }
}
