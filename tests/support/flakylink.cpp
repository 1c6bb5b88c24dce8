#include "flakylink.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

struct FlakyLink::Connection
{
    int client;
    int server;
    bool closed = false;  // under the link's mutex: the numbers may belong to other sockets now
};

namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    return address;
}

bool sendAll(int socket, const char *bytes, ssize_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, bytes, size_t(size), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= sent;
    }
    return true;
}

}  // namespace

FlakyLink::FlakyLink(int targetPort, std::chrono::milliseconds refuseFor) : m_target(targetPort)
{
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (m_socket < 0 || ::pipe(m_wake) != 0 || ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), length) != 0
        || ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    // Listening at once, so that a connection right after construction is taken.
    if (refuseFor.count() == 0 && ::listen(m_socket, 16) != 0)
        return;
    m_listener = std::thread(&FlakyLink::listen, this, refuseFor);
}

FlakyLink::~FlakyLink()
{
    if (m_wake[1] >= 0) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &stop, 1);
    }
    if (m_listener.joinable())
        m_listener.join();
    breakAll();
    for (std::thread &thread : m_threads)
        thread.join();
    for (int fd : {m_socket, m_wake[0], m_wake[1]})
        if (fd >= 0)
            ::close(fd);
}

void FlakyLink::listen(std::chrono::milliseconds refuseFor)
{
    if (refuseFor.count() > 0) {
        pollfd wake{m_wake[0], POLLIN, 0};
        if (::poll(&wake, 1, int(refuseFor.count())) > 0 || ::listen(m_socket, 16) != 0)
            return;
    }
    for (;;) {
        pollfd watched[2] = {{m_socket, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0)
            continue;
        if (watched[1].revents != 0)
            return;
        const int client = ::accept(m_socket, nullptr, nullptr);
        if (client < 0)
            continue;
        ++m_accepted;
        if (m_toReset > 0) {
            --m_toReset;
            const linger reset{1, 0};
            ::setsockopt(client, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            ::close(client);
            continue;
        }
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in target = loopback(m_target);
        if (server < 0 || ::connect(server, reinterpret_cast<const sockaddr *>(&target), sizeof target) != 0) {
            ::close(client);
            if (server >= 0)
                ::close(server);
            continue;
        }
        const std::lock_guard lock(m_mutex);
        auto connection = std::make_shared<Connection>(Connection{client, server});
        m_connections.push_back(connection);
        m_threads.emplace_back(&FlakyLink::relay, this, connection);
    }
}

void FlakyLink::relay(const std::shared_ptr<Connection> &connection)
{
    bool cutOnAnswer = false;
    char buffer[65536];
    for (;;) {
        pollfd watched[2] = {{connection->client, POLLIN, 0}, {connection->server, POLLIN, 0}};
        if (::poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (watched[0].revents != 0) {
            const ssize_t size = ::read(connection->client, buffer, sizeof buffer);
            if (size <= 0)
                break;
            bool cutNow = false;
            {
                const std::lock_guard lock(m_mutex);
                if (!m_marker.isEmpty() && QByteArray::fromRawData(buffer, size).contains(m_marker)) {
                    (m_cut == Cut::BeforeServer ? cutNow : cutOnAnswer) = true;
                    m_marker.clear();
                }
            }
            if (cutNow || !sendAll(connection->server, buffer, size))
                break;
        }
        if (watched[1].revents != 0) {
            const ssize_t size = ::read(connection->server, buffer, sizeof buffer);
            if (size <= 0 || cutOnAnswer || !sendAll(connection->client, buffer, size))
                break;
        }
    }
    const std::lock_guard lock(m_mutex);
    connection->closed = true;
    ::close(connection->client);
    ::close(connection->server);
    m_connections.remove(connection);
}

void FlakyLink::breakAll()
{
    const std::lock_guard lock(m_mutex);
    for (const std::shared_ptr<Connection> &connection : m_connections) {
        if (connection->closed)
            continue;
        ::shutdown(connection->client, SHUT_RDWR);
        ::shutdown(connection->server, SHUT_RDWR);
    }
}

void FlakyLink::breakOn(const QByteArray &marker, Cut cut)
{
    const std::lock_guard lock(m_mutex);
    m_marker = marker;
    m_cut = cut;
}
