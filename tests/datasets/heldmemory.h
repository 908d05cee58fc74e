#pragma once

#include <cstddef>

// The bytes the process holds in allocations now, counted by the allocator itself: what a reader
// keeps is measured exactly, however busy the machine is.
std::size_t HeldBytes();
