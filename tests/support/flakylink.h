#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

// A TCP relay on a loopback port in front of a server port, whose connections break the way a
// server restart, a failover or a flaky network breaks them: all at once, or the one that sends a
// given statement, before the server gets it or after the server got it and before its answer
// comes back. It can also turn connections away before it relays any.
class FlakyLink
{
public:
    // Relays to 127.0.0.1:targetPort. For `refuseFor` after it is made, connections to its port
    // are refused (the port is bound, nobody listens yet).
    explicit FlakyLink(int targetPort, std::chrono::milliseconds refuseFor = {});
    ~FlakyLink();
    FlakyLink(const FlakyLink &) = delete;
    FlakyLink &operator=(const FlakyLink &) = delete;

    int port() const { return m_port; }
    // Connections accepted so far, the reset ones included.
    int connections() const { return m_accepted; }

    // Breaks every connection relayed now.
    void breakAll();
    enum class Cut { BeforeServer, BeforeAnswer };
    // Breaks the next connection whose client sends bytes holding `marker`, once.
    void breakOn(const QByteArray &marker, Cut cut);
    // Resets the next `count` connections as soon as they are accepted.
    void resetNext(int count) { m_toReset = count; }

private:
    struct Connection;
    void listen(std::chrono::milliseconds refuseFor);
    void relay(const std::shared_ptr<Connection> &connection);

    int m_target;
    int m_socket = -1;
    int m_port = 0;
    int m_wake[2] = {-1, -1};  // written to when the relay shuts down
    std::atomic<int> m_accepted = 0;
    std::atomic<int> m_toReset = 0;
    std::mutex m_mutex;  // guards what follows
    QByteArray m_marker;
    Cut m_cut = Cut::BeforeServer;
    std::list<std::shared_ptr<Connection>> m_connections;
    std::list<std::thread> m_threads;
    std::thread m_listener;
};
