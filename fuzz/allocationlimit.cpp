#include "allocationlimit.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <sanitizer/allocator_interface.h>
#include <sanitizer/common_interface_defs.h>

namespace Fuzz {

namespace {

// What a reader may hold per byte of its input. The dearest inputs hold about 40 bytes a byte:
// binary rows of a one-byte number (a row, its block of values and the value take 112 bytes for
// three), and strings of one character (their two bytes are an entry of 40 bytes and a text of
// 48).
constexpr long long BytesPerInputByte = 64;
// Room for the one-time set-up of Qt and expat (regular expressions, codecs, parser pools) and
// for the parser's own buffers.
constexpr long long FixedAllowance = 1LL << 20;

// 0 while no limit is in force.
std::atomic<long long> currentLimit{0};
// Bytes allocated less bytes freed since the limit came into force; below 0 when more was freed
// than allocated.
std::atomic<long long> held{0};

void OnAllocation(const volatile void*, std::size_t size) {
    const long long limit = currentLimit.load(std::memory_order_relaxed);
    if (limit == 0) {
        return;
    }
    const long long now = held.fetch_add(static_cast<long long>(size), std::memory_order_relaxed) +
                          static_cast<long long>(size);
    if (now <= limit) {
        return;
    }
    // Off before reporting: the report allocates too.
    currentLimit.store(0, std::memory_order_relaxed);
    std::fprintf(stderr,
                 "==fuzz== %lld bytes held after an allocation of %zu bytes, above the limit of "
                 "%lld for this input\n",
                 now, size, limit);
    __sanitizer_print_stack_trace();
    std::abort();
}

void OnFree(const volatile void* pointer) {
    if (currentLimit.load(std::memory_order_relaxed) == 0 ||
        __sanitizer_get_ownership(pointer) == 0) {
        return;
    }
    held.fetch_sub(static_cast<long long>(__sanitizer_get_allocated_size(pointer)),
                   std::memory_order_relaxed);
}

} // namespace

TAllocationLimit::TAllocationLimit(std::size_t inputSize) {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnAllocation, OnFree);
    if (!installed) {
        std::fprintf(stderr, "==fuzz== cannot install the allocation hooks\n");
        std::abort();
    }
    held.store(0, std::memory_order_relaxed);
    currentLimit.store(BytesPerInputByte * static_cast<long long>(inputSize) + FixedAllowance,
                       std::memory_order_relaxed);
}

TAllocationLimit::~TAllocationLimit() {
    currentLimit.store(0, std::memory_order_relaxed);
}

} // namespace Fuzz
