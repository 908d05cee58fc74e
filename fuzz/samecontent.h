#pragma once

#include "framework/data/datapacket.h"
#include "framework/data/datapacketfile.h"

#include <QByteArray>

namespace Fuzz {

// How a packet read back after being written in that form differs from the packet written, in
// words; empty when it holds the same fields and rows. What a form is known to change is not a
// difference: the binary form widens a string column to its longest value, and the XML form
// holds U+FFFD for what XML cannot hold (lone surrogates, U+FFFE, U+FFFF).
QByteArray Difference(const Datapacket::TDataPacket& written,
                      const Datapacket::TDataPacket& readBack, Datapacket::TPacketForm form);

} // namespace Fuzz
