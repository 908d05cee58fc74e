#pragma once

#include "framework/data/datapacket.h"

#include <QByteArray>

// A packet as JSON Lines (UTF-8): a first line describing the fields, then one object per row
// keyed by field name, in column order.
QByteArray FieldsLine(const Datapacket::TDataPacket& packet);
QByteArray RowLine(const Datapacket::TDataPacket& packet, const Datapacket::TRow& row);
