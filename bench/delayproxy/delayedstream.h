#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace Bench {

using ProxyClock = std::chrono::steady_clock;

// One direction of a relayed connection: every chunk read from one socket is written to the
// other once its one-way delay has passed since it was read, in the order read. The end of the
// stream travels the same way, as a shutdown of the writing side once it is due.
class DelayedStream {
public:
    DelayedStream(int from, int to, std::chrono::nanoseconds delay);

    int From() const { return from_; }
    int To() const { return to_; }

    // Whether the relay should wait for bytes to read: not after the end, nor while much is
    // queued (a reader far ahead waits instead of filling memory).
    bool WantsToRead() const;
    // Whether the relay should wait for the other socket to take more: a due chunk is left
    // after a short write.
    bool WantsToWrite() const { return blocked_; }
    // When the next chunk falls due, while nothing waits on a short write.
    std::optional<ProxyClock::time_point> NextDue() const;

    // Reads what the socket holds now and queues it; false when the socket failed.
    bool Read(ProxyClock::time_point now);
    // Writes every chunk that is due; false when the socket failed.
    bool WriteDue(ProxyClock::time_point now);
    // The end has been passed on and nothing is left to write.
    bool Finished() const { return ended_ && queue_.empty(); }

private:
    struct Chunk {
        ProxyClock::time_point due;
        std::vector<char> bytes; // empty: the end of the stream
        std::size_t written = 0;
    };

    int from_;
    int to_;
    std::chrono::nanoseconds delay_;
    std::deque<Chunk> queue_;
    std::size_t queuedBytes_ = 0;
    bool ended_ = false;
    bool blocked_ = false;
};

} // namespace Bench
