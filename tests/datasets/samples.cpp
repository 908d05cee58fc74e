#include "samples.h"
#include "packetbytes.h"

#include <QFile>
#include <limits>

using Datapacket::MakeColumn;
using Datapacket::TColumn;
using Datapacket::TDataPacket;
using Datapacket::TValue;
using Db::TFieldType;

QByteArray HandWrittenParameters() {
    PacketBytes meta;
    meta.Name("IDESQUEMA").U32(0x00490001).U16(0).U16(1).Name("WIDTH").U32(0x00020002).U16(1);
    meta.Name("NRVERSAO").U32(0x00010004).U16(4).U16(0);
    meta.Name("VRTAXA").U32(0x00040008).U16(0).U16(1);
    meta.Name("SUBTYPE").U32(0x00090006).Raw(QByteArray("Money\0", 6));
    meta.Name("DTATUALIZ").U32(0x00080008).U16(0).U16(0);
    meta.Name("DTINICIO").U32(0x00060004).U16(0).U16(0);
    meta.Name("IDATIVO").U32(0x00030002).U16(0).U16(0);
    meta.Name("DSOBS").U32(0x004B0004).U16(0).U16(1);
    meta.Name("SUBTYPE").U32(0x00090005).Raw(QByteArray("Text\0", 5));
    meta.Name("NMLOJA").U32(0x00490001).U16(1).U16(1).Name("WIDTH").U32(0x00020002).U16(30);
    meta.U16(2);
    meta.Name("LCID").U32(0x00010004).U32(1046);
    meta.Name("DEFAULT_ORDER").U32(0x00820002).U32(1).U16(1);

    PacketBytes rows;
    rows.U8(0).U8(0).U8(0);
    rows.U8(1).Raw("2").U32(7).Double(12.5).Double(SampleDateTime).U32(SampleDay).U16(1);
    rows.U32(4).Raw("Obs.").U8(4).Raw("Jo\xE3o");
    // Deleted: everything but IDESQUEMA is null.
    rows.U8(2).U8(0x54).U8(0x55).U8(1).Raw("9");
    // VRTAXA, DTINICIO, DSOBS and NMLOJA null; DTATUALIZ at midnight of 1899-12-30.
    rows.U8(0).U8(0x10).U8(0x51).U8(1).Raw("3").U32(8).Double(693594 * 86400000.0).U16(0);
    return meta.WithHeader(8, 3) + rows.Bytes();
}

TDataPacket EveryKindPacket() {
    auto integer = [](const char* name, TFieldType type, int bytes, bool isUnsigned) {
        TColumn column = MakeColumn(name, type, 0);
        column.bytes = bytes;
        column.isUnsigned = isUnsigned;
        return column;
    };
    TDataPacket packet;
    packet.columns = {
        MakeColumn("S", TFieldType::ftString, 40),
        MakeColumn("W", TFieldType::ftWideString, 12),
        integer("I1", TFieldType::ftSmallint, 1, false),
        integer("U1", TFieldType::ftWord, 1, true),
        integer("I2", TFieldType::ftSmallint, 2, false),
        integer("U2", TFieldType::ftWord, 2, true),
        integer("I4", TFieldType::ftInteger, 4, false),
        integer("U4", TFieldType::ftLargeint, 4, true),
        integer("I8", TFieldType::ftLargeint, 8, false),
        integer("U8", TFieldType::ftLargeint, 8, true),
        MakeColumn("AI", TFieldType::ftAutoInc, 0),
        MakeColumn("B", TFieldType::ftBoolean, 0),
        MakeColumn("F", TFieldType::ftFloat, 0),
        integer("F4", TFieldType::ftFloat, 4, false),
        MakeColumn("C", TFieldType::ftCurrency, 0),
        MakeColumn("N", TFieldType::ftBCD, 4),
        MakeColumn("D", TFieldType::ftDate, 0),
        MakeColumn("T", TFieldType::ftTime, 0),
        MakeColumn("DT", TFieldType::ftDateTime, 0),
        MakeColumn("M", TFieldType::ftMemo, 0),
        MakeColumn("BL", TFieldType::ftBlob, 0),
    };
    packet.columns[0].attributes = Datapacket::caRequired;
    packet.columns[1].attributes = Datapacket::caReadOnly | Datapacket::caHidden;
    packet.columns[10].attributes = Datapacket::caLink;
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i) {
        everyByte.append(static_cast<char>(i));
    }
    const std::vector<TValue> extremes = {
        AnsiString("Jo\xE3o <&>\"'\\ \r\n\t fim"),
        QString::fromUtf8("a\xC3\xA3 \xE2\x82\xAC \xE6\xBC\xA2"),
        -128LL,
        255LL,
        -32768LL,
        65535LL,
        static_cast<long long>(std::numeric_limits<int>::min()),
        4294967295LL,
        std::numeric_limits<long long>::min(),
        -1LL,
        5LL,
        true,
        0.1,
        0.5,
        1234.56,
        AnsiString("-123.4500"),
        SampleDay,
        70200500LL,
        SampleDateTime,
        QByteArray("linha1\r\nlinha2"),
        everyByte,
    };
    packet.rows.push_back({Datapacket::rsUnchanged, extremes});
    packet.rows.push_back({Datapacket::rsUnchanged, std::vector<TValue>(packet.columns.size())});
    std::vector<TValue> midnight(packet.columns.size());
    midnight[18] = SampleDay * 86400000.0;
    midnight[15] = AnsiString("0.0001");
    packet.rows.push_back({Datapacket::rsUnchanged, midnight});
    return packet;
}

namespace {

const QByteArray MemoNotes =
    "Also known as Bia & \"Bi\"; prefers the table by the window, away from the door.";
const QByteArray MemoFormatted = "{\\rtf1 Ol\xE1}";
const QByteArray MemoPicture = "\x89PNG\r\n\x1A\n";
const QByteArray MemoLines = "linha 1\r\nlinha 2";

} // namespace

QByteArray MemoTwinXml() {
    return R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0"><METADATA><FIELDS>)"
           R"(<FIELD attrname="ID" fieldtype="i4"/>)"
           R"(<FIELD attrname="NOME" fieldtype="string" WIDTH="30"/>)"
           R"(<FIELD attrname="NOTAS" fieldtype="bin.hex" SUBTYPE="Text"/>)"
           R"(<FIELD attrname="RTF" fieldtype="bin.hex" SUBTYPE="Formatted"/>)"
           R"(<FIELD attrname="FOTO" fieldtype="bin.hex" SUBTYPE="Binary"/>)"
           R"(</FIELDS><PARAMS/></METADATA><ROWDATA>)"
           "<ROW ID=\"1\" NOME=\"Jo\xE3o\" NOTAS=\"Also known as Bia &amp; &quot;Bi&quot;; "
           "prefers the table by the window, away from the door.\" RTF=\"{&#092;rtf1 Ol\xE1}\" "
           "FOTO=\"" +
           MemoPicture.toBase64() +
           "\"/><ROW ID=\"2\" NOTAS=\"linha 1&#013;&#010;linha 2\"/></ROWDATA></DATAPACKET>";
}

QByteArray MemoTwinBinary() {
    const auto memo = [](PacketBytes& meta, const QByteArray& name, const QByteArray& subtype) {
        meta.Name(name).U32(0x004B0004).U16(0).U16(1);
        meta.Name("SUBTYPE").U32(0x00090000U | static_cast<std::uint32_t>(subtype.size() + 1));
        meta.Raw(subtype + '\0');
    };
    PacketBytes meta;
    meta.Name("ID").U32(0x00010004).U16(0).U16(0);
    meta.Name("NOME").U32(0x00490001).U16(0).U16(1).Name("WIDTH").U32(0x00020002).U16(30);
    memo(meta, "NOTAS", "Text");
    memo(meta, "RTF", "Formatted");
    memo(meta, "FOTO", "Binary");
    meta.U16(0);
    PacketBytes rows;
    rows.U8(0).U8(0).U8(0).U32(1).U8(4).Raw("Jo\xE3o");
    for (const QByteArray& memoValue : {MemoNotes, MemoFormatted, MemoPicture}) {
        rows.U32(static_cast<std::uint32_t>(memoValue.size())).Raw(memoValue);
    }
    // NOME, RTF and FOTO null.
    rows.U8(0).U8(0x44).U8(0x01).U32(2).U32(static_cast<std::uint32_t>(MemoLines.size()));
    rows.Raw(MemoLines);
    return meta.WithHeader(5, 2) + rows.Bytes();
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(path));
    }
    return file.readAll();
}
