#pragma once

#include "framework/ansistring.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <optional>

// BCD values as the binary form stores them: a precision byte (the number of digits), a byte
// with the sign (bit 7) and the digits after the point (bits 0 to 5), then the digits packed two
// to a byte, high nibble first.
namespace Datapacket {

// The size of a stored BCD value.
constexpr int BcdSize = 34;

// The value as decimal text ("-12.50"); nothing when the bytes are not a BCD value.
FRAMEWORK_EXPORT std::optional<AnsiString> DecodeBcd(const QByteArray& bytes);

// Decimal text as BcdSize bytes; nothing when it is not a decimal number or has more digits
// than the form holds.
FRAMEWORK_EXPORT std::optional<QByteArray> EncodeBcd(const AnsiString& decimal);

} // namespace Datapacket
