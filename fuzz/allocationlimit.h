#pragma once

#include <cstddef>

namespace Fuzz {

// While one is alive, holding more memory than a limit tied to the input's size is a finding:
// what is allocated less what is freed, all allocations together, may not pass a small multiple
// of the input's size. The readers keep only the values a packet holds and check every length
// and count against the bytes that remain, so no input may make them hold more. The finding is
// reported on standard error with the stack of the allocation that passed the limit, and the
// process aborts so that libFuzzer keeps the input.
class TAllocationLimit {
public:
    explicit TAllocationLimit(std::size_t inputSize);
    ~TAllocationLimit();
    TAllocationLimit(const TAllocationLimit&) = delete;
    TAllocationLimit& operator=(const TAllocationLimit&) = delete;
};

} // namespace Fuzz
