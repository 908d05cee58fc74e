#include "datapacketxmlcontrol.h"

#include <algorithm>

namespace Datapacket {

namespace {

constexpr char16_t Escape = 0xE000;
// The second character of a pair: Escape + the control character, or this for Escape itself.
constexpr char16_t EscapedEscape = Escape + 0x20;
// Past the last code point: a reference to any larger number is refused alike.
constexpr unsigned BeyondUnicode = 0x110000;

bool ForbiddenControl(unsigned code) {
    return code < 0x20 && code != '\t' && code != '\n' && code != '\r';
}

int DigitValue(char c, bool hex) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    if (hex && lower >= 'a' && lower <= 'f') {
        return lower - 'a' + 10;
    }
    return -1;
}

struct TReference {
    unsigned code = 0;
    // 0 when the text does not start with a character reference.
    qsizetype length = 0;
};

// The character reference ("&#NNN;" or "&#xHHH;") the text starts with.
TReference ReferenceAt(QByteArrayView text) {
    const bool hex = text.size() > 2 && text[2] == 'x';
    const qsizetype digits = hex ? 3 : 2;
    qsizetype at = digits;
    unsigned code = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], hex);
        if (digit < 0) {
            break;
        }
        code = std::min((hex ? 16 : 10) * code + static_cast<unsigned>(digit), BeyondUnicode);
    }
    if (at == digits || at == text.size() || text[at] != ';') {
        return {};
    }
    return {code, at + 1};
}

void AppendPair(QByteArray& out, unsigned second) {
    for (const unsigned code : {unsigned(Escape), second}) {
        out += "&#";
        out += QByteArray::number(code);
        out += ';';
    }
}

} // namespace

QByteArray MaskControlReferences(QByteArrayView text, bool utf8) {
    QByteArray out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (qsizetype at = text.indexOf("&#"); at >= 0; at = text.indexOf("&#", at + 2)) {
        const TReference reference = ReferenceAt(text.sliced(at));
        if (reference.length == 0 ||
            (!ForbiddenControl(reference.code) && reference.code != Escape)) {
            continue;
        }
        out += text.sliced(copied, at - copied);
        AppendPair(out, ForbiddenControl(reference.code) ? Escape + reference.code : EscapedEscape);
        copied = at + reference.length;
    }
    out += text.sliced(copied);
    // Latin-1 text cannot hold the escape character itself; UTF-8 text may.
    if (utf8) {
        QByteArray pair;
        AppendPair(pair, EscapedEscape);
        out.replace(QString(QChar(Escape)).toUtf8(), pair);
    }
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
