// Writes the seed corpus of the fuzz targets: a handful of valid packets made by our own
// writers, each in both forms, into FOLDER/binary and FOLDER/xml.
#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketxml.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <limits>

using Datapacket::MakeColumn;
using Datapacket::TColumn;
using Datapacket::TDataPacket;
using Datapacket::TRow;
using Datapacket::TValue;
using Db::TFieldType;

namespace {

// 2026-12-07, as a day number and as a stored date-time at 19:30.
constexpr long long Day = 739957;
constexpr double DayTime = Day * 86400000.0 + 70200000.0;

TColumn Sized(const char* name, TFieldType type, int bytes, bool isUnsigned = false) {
    TColumn column = MakeColumn(name, type, 0);
    column.bytes = bytes;
    column.isUnsigned = isUnsigned;
    return column;
}

// A column of every kind and size, with the attributes; a row of extremes, a row of nulls.
TDataPacket EveryKind() {
    TDataPacket packet;
    packet.columns = {
        MakeColumn("S", TFieldType::ftString, 30),   MakeColumn("W", TFieldType::ftWideString, 10),
        Sized("I1", TFieldType::ftSmallint, 1),      Sized("U1", TFieldType::ftWord, 1, true),
        Sized("I2", TFieldType::ftSmallint, 2),      Sized("U2", TFieldType::ftWord, 2, true),
        Sized("I4", TFieldType::ftInteger, 4),       Sized("U4", TFieldType::ftLargeint, 4, true),
        Sized("I8", TFieldType::ftLargeint, 8),      Sized("U8", TFieldType::ftLargeint, 8, true),
        MakeColumn("AI", TFieldType::ftAutoInc, 0),  MakeColumn("B", TFieldType::ftBoolean, 0),
        MakeColumn("F", TFieldType::ftFloat, 0),     Sized("F4", TFieldType::ftFloat, 4),
        MakeColumn("C", TFieldType::ftCurrency, 0),  MakeColumn("N", TFieldType::ftBCD, 2),
        MakeColumn("D", TFieldType::ftDate, 0),      MakeColumn("T", TFieldType::ftTime, 0),
        MakeColumn("DT", TFieldType::ftDateTime, 0), MakeColumn("M", TFieldType::ftMemo, 0),
        MakeColumn("BL", TFieldType::ftBlob, 0),
    };
    packet.columns[0].attributes = Datapacket::caRequired;
    packet.columns[1].attributes = Datapacket::caReadOnly | Datapacket::caHidden;
    packet.columns[10].attributes = Datapacket::caLink;
    packet.columns[20].subtype = "Graphics";
    const std::vector<TValue> extremes = {
        AnsiString("Jo\xE3o"),
        QString::fromUtf8("\xE2\x82\xAC \xE6\xBC\xA2"),
        -128LL,
        255LL,
        -32768LL,
        65535LL,
        static_cast<long long>(std::numeric_limits<int>::min()),
        4294967295LL,
        std::numeric_limits<long long>::min(),
        -1LL,
        1LL,
        true,
        -0.1,
        0.5,
        1234.56,
        AnsiString("-12.34"),
        Day,
        70200500LL,
        DayTime,
        QByteArray("linha 1\r\nlinha 2"),
        QByteArray("\x00\x01\xFE\xFF", 4),
    };
    packet.rows = {{Datapacket::rsUnchanged, extremes},
                   {Datapacket::rsUnchanged, std::vector<TValue>(extremes.size())}};
    return packet;
}

TDataPacket Reservations(int count) {
    TDataPacket packet;
    packet.columns = {MakeColumn("NRRESMESA", TFieldType::ftAutoInc, 0),
                      MakeColumn("NOME", TFieldType::ftString, 50),
                      MakeColumn("DATA", TFieldType::ftDate, 0),
                      MakeColumn("HRINI", TFieldType::ftDateTime, 0),
                      MakeColumn("PESSOAS", TFieldType::ftSmallint, 0),
                      MakeColumn("SINAL", TFieldType::ftCurrency, 0),
                      MakeColumn("CANCELADA", TFieldType::ftBoolean, 0)};
    for (int i = 0; i < count; ++i) {
        TRow row;
        row.values = {static_cast<long long>(i + 1),
                      AnsiString("Reserva ") + std::to_string(i + 1) + " Concei\xE7\xE3o",
                      Day + i % 7,
                      DayTime + (i % 20) * 900000.0,
                      static_cast<long long>(i % 12 + 1),
                      i % 3 == 0 ? TValue() : TValue(i * 2.5),
                      i % 5 == 0};
        packet.rows.push_back(row);
    }
    return packet;
}

// What XML escapes or holds as references: markup characters, control characters, Latin-1.
TDataPacket Latin1Text() {
    TDataPacket packet;
    packet.columns = {MakeColumn("Nome Completo", TFieldType::ftString, 40),
                      MakeColumn("RowState", TFieldType::ftString, 10),
                      MakeColumn("nome completo", TFieldType::ftWideString, 20),
                      MakeColumn("OBS", TFieldType::ftMemo, 0)};
    packet.rows = {
        {Datapacket::rsUnchanged,
         {AnsiString("a\xE7\xE3o <&>\"' \\ \r\n\t \x01 fim"), AnsiString("\xA0\xFF"),
          QString(QChar(0xE000)) + QChar(0x02) + QChar(0xE9), QByteArray("Observa\xE7\xE3o")}},
        {Datapacket::rsUnchanged,
         {AnsiString(std::string("x\0y", 3)), {}, QString(), QByteArray()}}};
    return packet;
}

// Rows as a change log holds them: an original and its change, an insertion, a deletion.
TDataPacket ChangeLog() {
    TDataPacket packet;
    packet.columns = {MakeColumn("ID", TFieldType::ftInteger, 0),
                      MakeColumn("NOME", TFieldType::ftString, 20)};
    packet.rows = {{Datapacket::rsOriginal, {1LL, AnsiString("Ana")}},
                   {Datapacket::rsModified, {1LL, AnsiString("Bia")}},
                   {Datapacket::rsInserted, {2LL, AnsiString("Caio")}},
                   {Datapacket::rsDeleted, {3LL, AnsiString("Davi")}}};
    return packet;
}

bool Save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("binary")) || !folder.mkpath(QStringLiteral("xml"))) {
        std::fprintf(stderr, "fuzz_seeds: cannot make the folders in %s\n", argv[1]);
        return 2;
    }
    const std::pair<const char*, TDataPacket> packets[] = {
        {"every-kind", EveryKind()},     {"empty", Reservations(0)}, {"no-columns", TDataPacket()},
        {"many-rows", Reservations(50)}, {"latin1", Latin1Text()},   {"change-log", ChangeLog()}};
    try {
        for (const auto& [name, packet] : packets) {
            const QString stem = QString::fromLatin1(name);
            const QByteArray xml = Datapacket::WriteXmlPacket(packet, name);
            // The same text as UTF-8, as other writers give it.
            const QByteArray utf8 = "\xEF\xBB\xBF" + QString::fromLatin1(xml).toUtf8();
            if (!Save(folder.filePath("binary/" + stem + ".cds"),
                      Datapacket::WriteBinaryPacket(packet, name)) ||
                !Save(folder.filePath("xml/" + stem + ".xml"), xml) ||
                !Save(folder.filePath("xml/" + stem + "-utf8.xml"), utf8)) {
                std::fprintf(stderr, "fuzz_seeds: cannot write the seeds of %s\n", name);
                return 2;
            }
        }
    } catch (const Db::EDatabaseError& error) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", error.Message().c_str());
        return 2;
    }
    return 0;
}
