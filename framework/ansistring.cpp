#include "framework/ansistring.h"

#include <QList>
#include <QStringView>

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

AnsiString FromQStringEscaped(const QString& text) {
    AnsiString result;
    result.reserve(static_cast<std::size_t>(text.size()));
    // By code point, so that a character beyond the first 65536 is one escape, not two halves.
    for (const uint c : QStringView(text).toUcs4()) {
        if (c <= 0xFF) {
            result += static_cast<char>(c);
        } else {
            result +=
                QStringLiteral("U+%1").arg(c, 4, 16, QLatin1Char('0')).toUpper().toStdString();
        }
    }
    return result;
}
