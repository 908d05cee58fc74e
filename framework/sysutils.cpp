#include "framework/sysutils.h"

#include <utility>

namespace Sysutils {

Exception::Exception(AnsiString message, AnsiString detail)
    : message_(std::move(message)), detail_(std::move(detail)) {}

const char* Exception::what() const noexcept {
    return message_.c_str();
}

void Abort() {
    throw EAbort(AnsiString());
}

namespace {

// Byte-wise on purpose: the C library's toupper would follow the locale and touch Latin-1 letters.
AnsiString MapAsciiLetters(AnsiString text, char first, char last, int shift) {
    for (char& c : text) {
        if (c >= first && c <= last) {
            c = static_cast<char>(c + shift);
        }
    }
    return text;
}

} // namespace

AnsiString UpperCase(const AnsiString& text) {
    return MapAsciiLetters(text, 'a', 'z', 'A' - 'a');
}

AnsiString LowerCase(const AnsiString& text) {
    return MapAsciiLetters(text, 'A', 'Z', 'a' - 'A');
}

AnsiString Format(const AnsiString& format, const AnsiString& argument) {
    AnsiString result;
    bool argumentUsed = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next == '%') {
            result += '%';
            ++i;
        } else if (format[i] == '%' && next == 's' && !argumentUsed) {
            result += argument;
            argumentUsed = true;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

} // namespace Sysutils
