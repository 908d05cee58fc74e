#include "sampling.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <limits>

namespace Bench {

int SampleCount(int preferred) {
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("BENCH_SAMPLES", &ok);
    return ok && fromEnvironment > 0 ? fromEnvironment : preferred;
}

std::optional<double> MedianOf(int count, const Sample& sample) {
    if (count > 1 && std::isnan(sample())) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        const double value = sample();
        if (std::isnan(value)) {
            return std::nullopt;
        }
        values.push_back(value);
    }
    return Median(std::move(values));
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double ElapsedMs(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double NoSample(const char* reason) {
    qWarning("no sample: %s", reason);
    return std::numeric_limits<double>::quiet_NaN();
}

} // namespace Bench
