#pragma once

#include <QString>

// The packets the reading benchmarks read: one packet in both file forms.
namespace Bench {

struct PacketFiles {
    QString xml;
    QString binary;
    qint64 xmlBytes = 0;
    qint64 binaryBytes = 0;
    int rows = 0;
};

// Writes into folder, as name.xml and name.cds, one packet of reservation-like rows (numbers,
// names, dates, times, telephones, amounts; plain ASCII, so that the XML reads the same as
// Latin-1 and as UTF-8), with as many rows as make its XML form about xmlBytes long.
PacketFiles WritePacketFiles(const QString& folder, const QString& name, qint64 xmlBytes);

} // namespace Bench
