#include "peakmemory.h"

#include "childprocess.h"
#include "sampling.h"

#include <QFile>
#include <malloc.h>

namespace Bench {

namespace {

// A size line of /proc/self/status ("VmRSS:  1234 kB") in bytes; -1 when it is missing.
double statusBytes(const QByteArray& status, const QByteArray& key) {
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(key + ':')) {
            const QList<QByteArray> parts = line.mid(key.size() + 1).simplified().split(' ');
            return parts.value(0).toDouble() * 1024;
        }
    }
    return -1;
}

QByteArray processStatus() {
    QFile status(QStringLiteral("/proc/self/status"));
    return status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
}

} // namespace

double PeakGrowthBytes(const std::function<bool()>& work) {
    return InChild([&] {
        malloc_trim(0);
        // "5" sets the high-water mark back to the present resident size.
        QFile resetPeak(QStringLiteral("/proc/self/clear_refs"));
        if (!resetPeak.open(QIODevice::WriteOnly) || resetPeak.write("5") != 1) {
            return NoSample("the memory high-water mark cannot be set back");
        }
        resetPeak.close();
        const double before = statusBytes(processStatus(), "VmRSS");
        if (!work()) {
            return NoSample("the work measured failed");
        }
        const double peak = statusBytes(processStatus(), "VmHWM");
        return before < 0 || peak < 0 ? NoSample("no resident size in /proc/self/status")
                                      : peak - before;
    });
}

} // namespace Bench
