#pragma once

#include "framework/data/datapacket.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <QIODevice>

// The XML form of a data packet: DATAPACKET with METADATA (the columns) and ROWDATA (the rows).
namespace Datapacket {

// After an optional UTF-8 byte-order mark and white space, the first byte is '<'.
FRAMEWORK_EXPORT bool IsXmlPacket(const QByteArray& bytes);

// Accepts raw Latin-1 text without an encoding declaration, and UTF-8 text that declares it or
// starts with a byte-order mark. Raises EDatabaseError "<source>: <fault>".
FRAMEWORK_EXPORT TDataPacket ReadXmlPacket(const QByteArray& bytes, const AnsiString& source);

// The framework's own form: Latin-1 bytes, no encoding declaration, all on one line.
FRAMEWORK_EXPORT QByteArray WriteXmlPacket(const TDataPacket& packet, const AnsiString& target);
// The same onto an open device, piece by piece; a write the device refuses raises
// EDatabaseError "<target>: could not be written: <reason>".
FRAMEWORK_EXPORT void WriteXmlPacket(const TDataPacket& packet, QIODevice& device,
                                     const AnsiString& target);

} // namespace Datapacket
