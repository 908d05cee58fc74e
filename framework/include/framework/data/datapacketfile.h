#pragma once

#include "framework/data/datapacket.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <QString>

// Data packets in files, in either form.
namespace Datapacket {

enum class TPacketForm { Binary, Xml };

// XML when the name ends in ".xml" (any case), binary otherwise.
FRAMEWORK_EXPORT TPacketForm FormForFileName(const QString& fileName);

// Either form, told apart by its first bytes; anything else raises EDatabaseError
// "<source>: neither a binary nor an XML data packet".
FRAMEWORK_EXPORT TDataPacket ParsePacket(const QByteArray& bytes, const AnsiString& source);

FRAMEWORK_EXPORT TDataPacket ReadPacketFile(const QString& fileName);
FRAMEWORK_EXPORT void WritePacketFile(const QString& fileName, const TDataPacket& packet,
                                      TPacketForm form);

} // namespace Datapacket
