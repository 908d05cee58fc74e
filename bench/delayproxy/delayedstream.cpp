#include "delayproxy/delayedstream.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace Bench {

namespace {

// What one read takes at most, and how much may wait in one direction before reading pauses.
constexpr std::size_t readSize = 64 * 1024;
constexpr std::size_t queueLimit = 4 * 1024 * 1024;

bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

} // namespace

DelayedStream::DelayedStream(int from, int to, std::chrono::nanoseconds delay)
    : from_(from), to_(to), delay_(delay) {}

bool DelayedStream::WantsToRead() const {
    return !ended_ && queuedBytes_ < queueLimit;
}

std::optional<ProxyClock::time_point> DelayedStream::NextDue() const {
    if (queue_.empty() || blocked_) {
        return std::nullopt;
    }
    return queue_.front().due;
}

bool DelayedStream::Read(ProxyClock::time_point now) {
    static char buffer[readSize];
    const ssize_t got = ::read(from_, buffer, sizeof buffer);
    if (got < 0) {
        return wouldBlock() || errno == EINTR;
    }
    if (got == 0) {
        ended_ = true;
    }
    queuedBytes_ += std::size_t(got);
    queue_.push_back({now + delay_, std::vector<char>(buffer, buffer + got)});
    return true;
}

bool DelayedStream::WriteDue(ProxyClock::time_point now) {
    blocked_ = false;
    while (!queue_.empty() && queue_.front().due <= now) {
        Chunk& chunk = queue_.front();
        if (chunk.bytes.empty()) {
            // Both sides may still be reading: only this direction ends.
            ::shutdown(to_, SHUT_WR);
            queue_.pop_front();
            continue;
        }
        const ssize_t put = ::send(to_, chunk.bytes.data() + chunk.written,
                                   chunk.bytes.size() - chunk.written, MSG_NOSIGNAL);
        if (put < 0) {
            if (wouldBlock() || errno == EINTR) {
                blocked_ = true;
                return true;
            }
            return false;
        }
        chunk.written += std::size_t(put);
        if (chunk.written < chunk.bytes.size()) {
            blocked_ = true;
            return true;
        }
        queuedBytes_ -= chunk.bytes.size();
        queue_.pop_front();
    }
    return true;
}

} // namespace Bench
