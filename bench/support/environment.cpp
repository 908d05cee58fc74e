#include "environment.h"

#include <QByteArray>
#include <QtGlobal>

namespace Bench {

void PrepareEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    }
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) {
        qputenv("FONTCONFIG_FILE", QByteArrayLiteral(BENCH_FONTS_CONF));
    }
}

} // namespace Bench
