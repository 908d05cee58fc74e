#include "framework/data/datapacketxmlcontrol.h"

#include <QRegularExpression>

namespace Datapacket {

namespace {

constexpr char16_t Escape = 0xE000;
// The second character of a pair: Escape + the control character, or this for Escape itself.
constexpr char16_t EscapedEscape = Escape + 0x20;

bool ForbiddenControl(unsigned code) {
    return code < 0x20 && code != '\t' && code != '\n' && code != '\r';
}

void AppendPair(QString& out, char16_t second) {
    out += QChar(Escape);
    out += QChar(second);
}

void AppendLiteral(QString& out, QStringView text) {
    for (const QChar c : text) {
        if (c == QChar(Escape)) {
            AppendPair(out, EscapedEscape);
        } else {
            out += c;
        }
    }
}

} // namespace

QString MaskControlReferences(const QString& text) {
    static const QRegularExpression reference(R"(&#(?:([0-9]+)|x([0-9A-Fa-f]+));)");
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    QRegularExpressionMatchIterator matches = reference.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        bool ok = false;
        const unsigned code = match.capturedView(1).isEmpty()
                                  ? match.capturedView(2).toUInt(&ok, 16)
                                  : match.capturedView(1).toUInt(&ok, 10);
        if (!ok || (!ForbiddenControl(code) && code != Escape)) {
            continue;
        }
        AppendLiteral(out, QStringView(text).mid(copied, match.capturedStart() - copied));
        AppendPair(out,
                   ForbiddenControl(code) ? static_cast<char16_t>(Escape + code) : EscapedEscape);
        copied = match.capturedEnd();
    }
    AppendLiteral(out, QStringView(text).mid(copied));
    return out;
}

QString RestoreControlCharacters(const QString& value) {
    if (!value.contains(QChar(Escape))) {
        return value;
    }
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c == Escape && i + 1 < value.size()) {
            const char16_t second = value[++i].unicode();
            out += second == EscapedEscape ? QChar(Escape) : QChar(second - Escape);
        } else {
            out += QChar(c);
        }
    }
    return out;
}

} // namespace Datapacket
