#include "delayproxy/delayrelay.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <optional>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace Bench {

namespace {

[[noreturn]] void failed(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

sockaddr_in addressOf(const std::string& host, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        throw std::runtime_error("not an IPv4 address: " + host);
    }
    return address;
}

// Every chunk goes out as it falls due: small ones are not held back to be sent together.
void sendAtOnce(int socket) {
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int connectTo(const sockaddr_in& address) {
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) {
        return -1;
    }
    if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

short events(bool read, bool write) {
    return short((read ? POLLIN : 0) | (write ? POLLOUT : 0));
}

} // namespace

DelayRelay::DelayRelay(const std::string& host, int port, std::chrono::nanoseconds delay)
    : serverHost_(host), serverPort_(port), delay_(delay) {
    addressOf(serverHost_, serverPort_);
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        failed("socket");
    }
    sockaddr_in local = addressOf("127.0.0.1", 0);
    socklen_t size = sizeof local;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&local), size) != 0 ||
        ::listen(listener_, 64) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&local), &size) != 0) {
        failed("listening on 127.0.0.1");
    }
    port_ = ntohs(local.sin_port);
}

DelayRelay::~DelayRelay() {
    for (const Connection& connection : connections_) {
        ::close(connection.toServer.From());
        ::close(connection.toServer.To());
    }
    ::close(listener_);
}

void DelayRelay::Run() {
    for (;;) {
        writeDue(ProxyClock::now());
        wait();
    }
}

void DelayRelay::accept() {
    for (;;) {
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (client < 0) {
            return;
        }
        // The server is on this machine: connecting takes no time worth a wait of its own.
        const int server = connectTo(addressOf(serverHost_, serverPort_));
        if (server < 0) {
            ::close(client);
            continue;
        }
        const int flags = ::fcntl(server, F_GETFL);
        ::fcntl(server, F_SETFL, flags | O_NONBLOCK);
        sendAtOnce(client);
        sendAtOnce(server);
        connections_.emplace_back(client, server, delay_);
    }
}

void DelayRelay::writeDue(ProxyClock::time_point now) {
    for (auto connection = connections_.begin(); connection != connections_.end();) {
        const bool written = !connection->failed && connection->toServer.WriteDue(now) &&
                             connection->toClient.WriteDue(now);
        if (written && !(connection->toServer.Finished() && connection->toClient.Finished())) {
            ++connection;
            continue;
        }
        ::close(connection->toServer.From());
        ::close(connection->toServer.To());
        connection = connections_.erase(connection);
    }
}

void DelayRelay::wait() {
    std::vector<pollfd> watched{{listener_, POLLIN, 0}};
    std::vector<Connection*> owners;
    std::optional<ProxyClock::time_point> next;
    for (Connection& connection : connections_) {
        // A socket with nothing to wait for is left out, so that a hang-up already seen does
        // not wake the relay again and again.
        const short client =
            events(connection.toServer.WantsToRead(), connection.toClient.WantsToWrite());
        const short server =
            events(connection.toClient.WantsToRead(), connection.toServer.WantsToWrite());
        watched.push_back({client != 0 ? connection.toServer.From() : -1, client, 0});
        watched.push_back({server != 0 ? connection.toClient.From() : -1, server, 0});
        owners.push_back(&connection);
        for (const DelayedStream* stream : {&connection.toServer, &connection.toClient}) {
            if (const std::optional<ProxyClock::time_point> due = stream->NextDue()) {
                next = next ? std::min(*next, *due) : *due;
            }
        }
    }
    timespec timeout{};
    if (next) {
        const auto left = std::max(std::chrono::nanoseconds(0), *next - ProxyClock::now()).count();
        timeout.tv_sec = left / 1000000000;
        timeout.tv_nsec = left % 1000000000;
    }
    if (::ppoll(watched.data(), watched.size(), next ? &timeout : nullptr, nullptr) < 0) {
        if (errno == EINTR) {
            return;
        }
        failed("waiting for the sockets");
    }
    const ProxyClock::time_point now = ProxyClock::now();
    for (std::size_t index = 0; index < owners.size(); ++index) {
        Connection& connection = *owners[index];
        const auto readable = [](const pollfd& socket) {
            return socket.fd >= 0 && (socket.revents & (POLLIN | POLLHUP | POLLERR)) != 0;
        };
        if (readable(watched[1 + 2 * index]) && connection.toServer.WantsToRead() &&
            !connection.toServer.Read(now)) {
            connection.failed = true;
        }
        if (readable(watched[2 + 2 * index]) && connection.toClient.WantsToRead() &&
            !connection.toClient.Read(now)) {
            connection.failed = true;
        }
    }
    if ((watched[0].revents & POLLIN) != 0) {
        accept();
    }
}

} // namespace Bench
