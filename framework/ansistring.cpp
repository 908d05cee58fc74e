#include "framework/ansistring.h"

#include <algorithm>

QString ToQString(const AnsiString& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

AnsiString FromQString(const QString& text) {
    AnsiString result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF) {
            result += static_cast<char>(c.unicode());
        }
    }
    return result;
}
