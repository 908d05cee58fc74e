#pragma once

#include <QElapsedTimer>
#include <functional>
#include <optional>
#include <vector>

// How the benchmarks take their figures: the median of several samples, each taken alone, so
// that a sample's untimed set-up (a fresh child process, a label emptied again) stays out of it
// and a sample slowed by another program on the shared cores does not move the figure.
namespace Bench {

// One sample: a time in milliseconds, a speed or a memory figure. NaN when it could not be
// taken, after a warning that says why.
using Sample = std::function<double()>;

// The number of samples: BENCH_SAMPLES when it is set (the smoke run sets 1), else preferred.
int SampleCount(int preferred);

// The median of count samples, taken after one more that warms the caches when count is above
// 1; nothing when a sample could not be taken.
std::optional<double> MedianOf(int count, const Sample& sample);

double Median(std::vector<double> values);

double ElapsedMs(const QElapsedTimer& timer);

// Says why a sample could not be taken and gives NaN.
double NoSample(const char* reason);

} // namespace Bench
