#include "heldmemory.h"

// AddressSanitizer allocates on its own, past the C library's count.
#if defined(__SANITIZE_ADDRESS__)
// Declared here: not every compiler ships the sanitizer header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();

std::size_t HeldBytes() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
#include <malloc.h>

std::size_t HeldBytes() {
    const struct mallinfo2 info = mallinfo2();
    // Small allocations lie in the arenas, large ones in mappings of their own.
    return info.uordblks + info.hblkhd;
}
#endif
