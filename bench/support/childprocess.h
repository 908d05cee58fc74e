#pragma once

#include <functional>

namespace Bench {

// Takes one sample in a child forked from this process: it starts from this process's state
// and whatever it changes (a library loaded for good, a heap grown) goes with it. The child's
// NaN, a crash or a lost child all give NaN, with a warning.
double InChild(const std::function<double()>& sample);

} // namespace Bench
