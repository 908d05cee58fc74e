#include "datapacketbcd.h"
#include "framework/data/datapacketvalue.h"

namespace Datapacket {

namespace {

constexpr int MaxDigits = (BcdSize - 2) * 2;
constexpr unsigned char SignBit = 0x80;
constexpr unsigned char ScaleMask = 0x3F;

} // namespace

std::optional<AnsiString> DecodeBcd(const QByteArray& bytes) {
    if (bytes.size() < 2) {
        return std::nullopt;
    }
    const int precision = static_cast<unsigned char>(bytes[0]);
    const int scale = static_cast<unsigned char>(bytes[1]) & ScaleMask;
    if (precision > (bytes.size() - 2) * 2 || scale > precision) {
        return std::nullopt;
    }
    AnsiString digits;
    for (int i = 0; i < precision; ++i) {
        const auto packed = static_cast<unsigned char>(bytes[2 + i / 2]);
        const int digit = i % 2 == 0 ? packed >> 4 : packed & 0x0F;
        if (digit > 9) {
            return std::nullopt;
        }
        digits += static_cast<char>('0' + digit);
    }
    const auto point = static_cast<std::size_t>(precision - scale);
    AnsiString text = (static_cast<unsigned char>(bytes[1]) & SignBit) != 0 ? "-" : "";
    text += digits.substr(0, point);
    if (scale > 0) {
        text += "." + digits.substr(point);
    }
    AnsiString normalized;
    if (!NormalizeDecimal(text.empty() || text == "-" ? "0" : text, normalized)) {
        return std::nullopt;
    }
    return normalized;
}

std::optional<QByteArray> EncodeBcd(const AnsiString& decimal) {
    AnsiString normalized;
    if (!NormalizeDecimal(decimal, normalized)) {
        return std::nullopt;
    }
    const bool negative = normalized[0] == '-';
    AnsiString digits = normalized.substr(negative ? 1 : 0);
    const auto point = digits.find('.');
    const int scale = point == AnsiString::npos ? 0 : static_cast<int>(digits.size() - point - 1);
    if (point != AnsiString::npos) {
        digits.erase(point, 1);
    }
    // A value below one keeps only the digits after the point.
    if (digits.size() > 1 && digits[0] == '0' && scale > 0 &&
        static_cast<int>(digits.size()) > scale) {
        digits.erase(0, 1);
    }
    if (static_cast<int>(digits.size()) > MaxDigits || scale > ScaleMask) {
        return std::nullopt;
    }
    QByteArray bytes(BcdSize, '\0');
    bytes[0] = static_cast<char>(digits.size());
    bytes[1] = static_cast<char>((negative ? SignBit : 0) | scale);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int digit = digits[i] - '0';
        auto& packed = bytes[static_cast<qsizetype>(2 + i / 2)];
        packed = static_cast<char>(packed | (i % 2 == 0 ? digit << 4 : digit));
    }
    return bytes;
}

} // namespace Datapacket
