// Stands between the terminals and a server on this machine as if the server were far away:
//   bench_delayproxy HOST PORT DELAY_MS
// relays every connection made to it to HOST:PORT (an IPv4 address), each chunk held DELAY_MS
// (a decimal number) in each direction, so that a request and its answer take 2 x DELAY_MS
// more. It prints "port N", the local port it listens on, and relays until it is ended.
// Exit code 2 when it cannot start or its waiting fails (said on standard error).

#include "delayproxy/delayrelay.h"

#include <cstdio>
#include <stdexcept>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: bench_delayproxy HOST PORT DELAY_MS\n", stderr);
        return 2;
    }
    try {
        const int port = std::stoi(argv[2]);
        const double delayMs = std::stod(argv[3]);
        if (port <= 0 || port > 65535 || delayMs < 0) {
            throw std::invalid_argument("a port from 1 to 65535 and a delay of 0 or more");
        }
        Bench::DelayRelay relay(argv[1], port,
                                std::chrono::nanoseconds(static_cast<long long>(delayMs * 1e6)));
        std::printf("port %d\n", relay.Port());
        std::fflush(stdout);
        relay.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_delayproxy: %s\n", error.what());
        return 2;
    }
}
