#pragma once

#include "framework/data/datapacket.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <QIODevice>

// The binary form of a data packet: a 24-byte header, the column descriptors, then the rows.
namespace Datapacket {

// The binary form starts with these four bytes.
FRAMEWORK_EXPORT bool IsBinaryPacket(const QByteArray& bytes);

// Raises EDatabaseError "<source>: <fault>" on anything malformed.
FRAMEWORK_EXPORT TDataPacket ReadBinaryPacket(const QByteArray& bytes, const AnsiString& source);

// Raises EDatabaseError "<target>: <fault>" for what the form cannot hold (a name longer than
// 255 bytes, a BCD value of more than 64 digits, ...).
FRAMEWORK_EXPORT QByteArray WriteBinaryPacket(const TDataPacket& packet, const AnsiString& target);
// The same onto an open device, piece by piece; a write the device refuses raises
// EDatabaseError "<target>: could not be written: <reason>".
FRAMEWORK_EXPORT void WriteBinaryPacket(const TDataPacket& packet, QIODevice& device,
                                        const AnsiString& target);

} // namespace Datapacket
