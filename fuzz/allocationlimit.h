#pragma once

#include <cstddef>

namespace Fuzz {

// While one is alive, a single allocation larger than a limit tied to the input's size is a
// finding: the readers check every length and count against the bytes that remain, so no input
// may ask for more than a small multiple of its own size. The finding is reported on standard
// error with the allocation's stack, and the process aborts so that libFuzzer keeps the input.
class TAllocationLimit {
public:
    explicit TAllocationLimit(std::size_t inputSize);
    ~TAllocationLimit();
    TAllocationLimit(const TAllocationLimit&) = delete;
    TAllocationLimit& operator=(const TAllocationLimit&) = delete;
};

} // namespace Fuzz
