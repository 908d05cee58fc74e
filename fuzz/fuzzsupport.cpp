#include "fuzzsupport.h"

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

QByteArray InputBytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void Finding(const QByteArray& what) {
    std::fprintf(stderr, "==fuzz== %s\n", what.constData());
    std::abort();
}

} // namespace Fuzz
