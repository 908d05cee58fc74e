#pragma once

#include <functional>

namespace Bench {

// How far work raises the resident memory of this process at its highest, in bytes; NaN when it
// cannot be told or work says it failed. Measured in a child forked for it: the heap's free memory
// is handed back to the system and the kernel's high-water mark (VmHWM) is set back to the resident
// size, so the mark after work is work's own peak, whatever this process did before.
double PeakGrowthBytes(const std::function<bool()>& work);

} // namespace Bench
