#pragma once

#include "delayproxy/delayedstream.h"

#include <chrono>
#include <list>
#include <string>

namespace Bench {

// Stands for a server far away: listens on a free port of 127.0.0.1 and relays every
// connection to the server, each chunk in each direction held for the one-way delay after it
// arrived, so that one request and its answer take twice the delay more than they would.
// Each direction waits on its own queue: a chunk due in one never holds up the other.
class DelayRelay {
public:
    // host is an IPv4 address. Raises std::runtime_error when the port cannot be had.
    DelayRelay(const std::string& host, int port, std::chrono::nanoseconds delay);
    ~DelayRelay();
    DelayRelay(const DelayRelay&) = delete;
    DelayRelay& operator=(const DelayRelay&) = delete;

    int Port() const { return port_; }

    // Relays until the process is ended; raises std::runtime_error when waiting itself fails.
    [[noreturn]] void Run();

private:
    struct Connection {
        Connection(int client, int server, std::chrono::nanoseconds delay)
            : toServer(client, server, delay), toClient(server, client, delay) {}
        DelayedStream toServer;
        DelayedStream toClient;
        bool failed = false;
    };

    void accept();
    void writeDue(ProxyClock::time_point now);
    void wait();

    int listener_ = -1;
    int port_ = 0;
    std::string serverHost_;
    int serverPort_;
    std::chrono::nanoseconds delay_;
    std::list<Connection> connections_;
};

} // namespace Bench
