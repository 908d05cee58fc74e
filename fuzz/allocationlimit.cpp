#include "allocationlimit.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>
#include <sanitizer/common_interface_defs.h>

namespace Fuzz {

namespace {

// What a reader may take per byte of its input: the rows of a binary packet are reserved at once
// (a row of two bytes is a 32-byte TRow), and the XML text is copied with its control-character
// references widened to pairs.
constexpr std::size_t BytesPerInputByte = 32;
// Room for the one-time set-up of Qt and expat (regular expressions, codecs, parser pools).
constexpr std::size_t FixedAllowance = std::size_t{1} << 20;

// 0 while no limit is in force.
std::atomic<std::size_t> currentLimit{0};

void OnAllocation(const volatile void*, std::size_t size) {
    const std::size_t limit = currentLimit.load(std::memory_order_relaxed);
    if (limit == 0 || size <= limit) {
        return;
    }
    // Off before reporting: the report allocates too.
    currentLimit.store(0, std::memory_order_relaxed);
    std::fprintf(stderr,
                 "==fuzz== allocation of %zu bytes, above the limit of %zu for this input\n", size,
                 limit);
    __sanitizer_print_stack_trace();
    std::abort();
}

void OnFree(const volatile void*) {}

} // namespace

TAllocationLimit::TAllocationLimit(std::size_t inputSize) {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree);
    if (!installed) {
        std::fprintf(stderr, "==fuzz== cannot install the allocation hooks\n");
        std::abort();
    }
    currentLimit.store(BytesPerInputByte * inputSize + FixedAllowance, std::memory_order_relaxed);
}

TAllocationLimit::~TAllocationLimit() {
    currentLimit.store(0, std::memory_order_relaxed);
}

} // namespace Fuzz
