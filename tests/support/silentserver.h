#pragma once

// A server that takes connections on a loopback port and never says a word: the kernel completes
// every connection, nothing ever answers. Stands for a database server that hangs.
class SilentServer
{
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;

    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};
