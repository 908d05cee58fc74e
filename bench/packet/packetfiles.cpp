#include "packetfiles.h"

#include "framework/data/datapacketfile.h"
#include "framework/data/datapacketvalue.h"
#include "framework/data/datapacketxml.h"

#include <QDir>
#include <QFileInfo>
#include <string>

namespace Bench {

namespace {

using Datapacket::TDataPacket;
using Db::TFieldType;

TDataPacket reservationRows(int rowCount) {
    TDataPacket packet;
    const struct {
        const char* name;
        TFieldType type;
        int size;
    } columns[] = {
        {"NRRESMESA", TFieldType::ftInteger, 0},     {"NMRESMESA", TFieldType::ftString, 50},
        {"DTRESMESA", TFieldType::ftDateTime, 0},    {"HRINIRESMESA", TFieldType::ftString, 4},
        {"HRFINRESMESA", TFieldType::ftString, 4},   {"NRTELRESMESA", TFieldType::ftString, 25},
        {"NRPESRESMESA", TFieldType::ftSmallint, 0}, {"DSRESMESA", TFieldType::ftString, 30},
        {"VRSINAL", TFieldType::ftFloat, 0},         {"IDSTRESMESA", TFieldType::ftString, 1},
        {"DTHRINCLURES", TFieldType::ftDate, 0}};
    for (const auto& column : columns) {
        packet.columns.push_back(Datapacket::MakeColumn(column.name, column.type, column.size));
    }
    const long long firstDay = Datapacket::DateToDayNumber(QDate(2026, 2, 1));
    for (int r = 0; r < rowCount; ++r) {
        const long long day = firstDay + r % 365;
        const std::string number = std::to_string(r + 1);
        Datapacket::TRow row;
        row.values = {static_cast<long long>(r + 1),
                      AnsiString("Cliente numero " + number),
                      Datapacket::JoinStoredDateTime({day, 0}),
                      AnsiString(r % 2 == 0 ? "1930" : "1200"),
                      AnsiString(r % 2 == 0 ? "2130" : "1400"),
                      AnsiString("11" + std::to_string(30000000 + r)),
                      static_cast<long long>(r % 12 + 1),
                      AnsiString(r % 3 == 0 ? "Aniversario" : "Jantar de negocios"),
                      (r % 50) * 1.25,
                      AnsiString("P"),
                      day - 30};
        packet.rows.push_back(std::move(row));
    }
    return packet;
}

} // namespace

PacketFiles WritePacketFiles(const QString& folder, const QString& name, qint64 xmlBytes) {
    constexpr int probeRows = 1000;
    const qint64 probeBytes =
        Datapacket::WriteXmlPacket(reservationRows(probeRows), "probe").size();
    PacketFiles files;
    files.rows = static_cast<int>(xmlBytes * probeRows / probeBytes);
    const TDataPacket packet = reservationRows(files.rows);
    files.xml = QDir(folder).filePath(name + QStringLiteral(".xml"));
    files.binary = QDir(folder).filePath(name + QStringLiteral(".cds"));
    Datapacket::WritePacketFile(files.xml, packet, Datapacket::TPacketForm::Xml);
    Datapacket::WritePacketFile(files.binary, packet, Datapacket::TPacketForm::Binary);
    files.xmlBytes = QFileInfo(files.xml).size();
    files.binaryBytes = QFileInfo(files.binary).size();
    return files;
}

} // namespace Bench
