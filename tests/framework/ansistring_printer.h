#pragma once

#include <QByteArray>
#include <QTest>
#include <string>

// Failed comparisons of Latin-1 texts print their bytes.
namespace QTest {
template <> inline char* toString(const std::string& text) {
    return toString(QByteArray::fromStdString(text));
}
} // namespace QTest
