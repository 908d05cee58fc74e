#include "packetbytes.h"
#include "samples.h"

#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketfile.h"
#include "framework/data/datapacketxml.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"

#include <QTest>

using Datapacket::TDataPacket;
using Db::TFieldType;

class BinaryTest : public QObject {
    Q_OBJECT

private slots:
    void readsHandWrittenParametersFile() {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, "PARAMETROSQUOR.CDS", HandWrittenParameters());
        Dbclient::TClientDataSet parameters;
        parameters.LoadFromFile(path);
        QVERIFY(parameters.Active());
        QCOMPARE(parameters.RecordCount(), 2);
        QCOMPARE(parameters.FieldCount(), 8);
        QCOMPARE(parameters.FieldByName("IDESQUEMA")->AsString(), AnsiString("2"));
        QCOMPARE(parameters.FieldByName("IDESQUEMA")->Size(), 1);
        QCOMPARE(parameters.FieldByName("NRVERSAO")->AsInteger(), 7);
        QVERIFY(parameters.FieldByName("NRVERSAO")->Required());
        QCOMPARE(parameters.FieldByName("VRTAXA")->DataType(), TFieldType::ftCurrency);
        QCOMPARE(parameters.FieldByName("VRTAXA")->AsFloat(), 12.5);
        QCOMPARE(parameters.FieldByName("DTATUALIZ")->AsDateTime(),
                 Sysutils::EncodeDateTime(QDate(2026, 12, 7), QTime(19, 30)));
        QCOMPARE(parameters.FieldByName("DTINICIO")->AsDateTime(),
                 Sysutils::EncodeDateTime(QDate(2026, 12, 7)));
        QVERIFY(parameters.FieldByName("IDATIVO")->AsBoolean());
        QCOMPARE(parameters.FieldByName("DSOBS")->DataType(), TFieldType::ftMemo);
        QCOMPARE(parameters.FieldByName("DSOBS")->AsString(), AnsiString("Obs."));
        QCOMPARE(parameters.FieldByName("NMLOJA")->AsString(), AnsiString("Jo\xE3o"));

        // The deleted row is not part of the data; the third row comes next.
        parameters.Next();
        QCOMPARE(parameters.FieldByName("IDESQUEMA")->AsString(), AnsiString("3"));
        QVERIFY(parameters.FieldByName("VRTAXA")->IsNull());
        QVERIFY(parameters.FieldByName("DTINICIO")->IsNull());
        QCOMPARE(parameters.FieldByName("DTINICIO")->AsString(), AnsiString());
        QCOMPARE(parameters.FieldByName("DTATUALIZ")->AsDateTime(), 0.0);
        QVERIFY(!parameters.FieldByName("IDATIVO")->AsBoolean());
    }

    void writerFollowsTheLayout() {
        TDataPacket packet;
        packet.columns = {Datapacket::MakeColumn("IDESQUEMA", TFieldType::ftString, 1),
                          Datapacket::MakeColumn("VR", TFieldType::ftCurrency, 0)};
        packet.columns[1].attributes = Datapacket::caRequired;
        packet.rows = {{Datapacket::rsUnchanged, {AnsiString("2"), 12.5}},
                       {Datapacket::rsUnchanged, {AnsiString("3"), {}}}};
        PacketBytes meta;
        meta.Name("IDESQUEMA").U32(0x00490001).U16(0).U16(1);
        meta.Name("WIDTH").U32(0x00020002).U16(1);
        meta.Name("VR").U32(0x00040008).U16(4).U16(1);
        meta.Name("SUBTYPE").U32(0x00090006).Raw(QByteArray("Money\0", 6));
        meta.U16(0);
        PacketBytes rows;
        rows.U8(0).U8(0).U8(1).Raw("2").Double(12.5);
        rows.U8(0).U8(0x04).U8(1).Raw("3");
        QCOMPARE(Datapacket::WriteBinaryPacket(packet, "out"),
                 meta.WithHeader(2, 2) + rows.Bytes());
    }

    void descriptorsPastTheRowOffsetRange() {
        TDataPacket packet;
        std::vector<Datapacket::TValue> values;
        for (int c = 0; c < 8000; ++c) {
            packet.columns.push_back(
                Datapacket::MakeColumn("COLUNA" + std::to_string(c + 1), TFieldType::ftInteger, 0));
            values.emplace_back(static_cast<long long>(c));
        }
        packet.rows = {{Datapacket::rsUnchanged, values}};
        const QByteArray binary = Datapacket::WriteBinaryPacket(packet, "out");
        // Metadata present, no row offset: the rows follow the descriptors.
        QCOMPARE(binary.mid(18, 6), QByteArray("\x01\0\0\0\0\0", 6));
        QVERIFY(Datapacket::ReadBinaryPacket(binary, "in") == packet);
    }

    void everyKindSurvivesBothForms() {
        const TDataPacket packet = EveryKindPacket();
        const QByteArray binary = Datapacket::WriteBinaryPacket(packet, "out");
        QVERIFY(Datapacket::ReadBinaryPacket(binary, "in") == packet);
        const QByteArray xml =
            Datapacket::WriteXmlPacket(Datapacket::ReadBinaryPacket(binary, "in"), "out");
        const TDataPacket fromXml = Datapacket::ReadXmlPacket(xml, "in");
        QVERIFY(fromXml == packet);
        QCOMPARE(Datapacket::WriteBinaryPacket(fromXml, "out"), binary);
    }

    // What other writers store: both forms give the same column. Each is given DECIMALS 2,
    // which only BCD keeps.
    void bothFormsReadOtherWritersColumnsAlike_data() {
        QTest::addColumn<QByteArray>("fieldType");
        QTest::addColumn<unsigned>("typeWord");
        QTest::addColumn<QByteArray>("subtype");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<bool>("isUnsigned");
        QTest::addColumn<QByteArray>("keptSubtype");
        QTest::addColumn<int>("decimals");
        const auto type = [](TFieldType fieldType) { return static_cast<int>(fieldType); };
        QTest::newRow("extended float")
            << QByteArray("r10") << 0x00040008U << QByteArray() << type(TFieldType::ftFloat) << 8
            << false << QByteArray() << 0;
        QTest::newRow("four-byte currency")
            << QByteArray("r4") << 0x00040004U << QByteArray("Money")
            << type(TFieldType::ftCurrency) << 4 << false << QByteArray() << 0;
        QTest::newRow("formatted BCD")
            << QByteArray("fixedFMT") << 0x00050022U << QByteArray() << type(TFieldType::ftBCD) << 0
            << false << QByteArray() << 2;
        QTest::newRow("auto-increment of two bytes")
            << QByteArray("i2") << 0x00010002U << QByteArray("Autoinc")
            << type(TFieldType::ftSmallint) << 2 << false << QByteArray() << 0;
        QTest::newRow("auto-increment")
            << QByteArray("i4") << 0x00010004U << QByteArray("Autoinc")
            << type(TFieldType::ftAutoInc) << 4 << false << QByteArray() << 0;
        QTest::newRow("unsigned of two bytes")
            << QByteArray("ui2") << 0x00020002U << QByteArray() << type(TFieldType::ftWord) << 2
            << true << QByteArray() << 0;
        QTest::newRow("unsigned of four bytes")
            << QByteArray("ui4") << 0x00020004U << QByteArray() << type(TFieldType::ftLargeint) << 4
            << true << QByteArray() << 0;
        QTest::newRow("wide memo")
            << QByteArray("bin.hex") << 0x004B0004U << QByteArray("WideText")
            << type(TFieldType::ftMemo) << 0 << false << QByteArray("WideText") << 0;
        QTest::newRow("formatted memo")
            << QByteArray("bin.hex") << 0x004B0004U << QByteArray("Formatted")
            << type(TFieldType::ftMemo) << 0 << false << QByteArray("Formatted") << 0;
        QTest::newRow("picture") << QByteArray("bin.hex") << 0x004B0004U << QByteArray("Graphics")
                                 << type(TFieldType::ftBlob) << 0 << false << QByteArray("Graphics")
                                 << 0;
        QTest::newRow("blob without subtype")
            << QByteArray("bin.hex") << 0x004B0004U << QByteArray() << type(TFieldType::ftBlob) << 0
            << false << QByteArray("Binary") << 0;
    }

    void bothFormsReadOtherWritersColumnsAlike() {
        QFETCH(QByteArray, fieldType);
        QFETCH(unsigned, typeWord);
        QFETCH(QByteArray, subtype);
        QFETCH(int, type);
        QFETCH(int, bytes);
        QFETCH(bool, isUnsigned);
        QFETCH(QByteArray, keptSubtype);
        QFETCH(int, decimals);
        PacketBytes meta;
        meta.Name("X").U32(typeWord).U16(0).U16(subtype.isEmpty() ? 1 : 2);
        meta.Name("DECIMALS").U32(0x00020002).U16(2);
        QByteArray xmlField =
            "<FIELD attrname=\"X\" fieldtype=\"" + fieldType + "\" DECIMALS=\"2\"";
        if (!subtype.isEmpty()) {
            meta.Name("SUBTYPE")
                .U32(0x00090000U | static_cast<std::uint32_t>(subtype.size() + 1))
                .Raw(subtype + '\0');
            xmlField += " SUBTYPE=\"" + subtype + '"';
        }
        meta.U16(0);
        const QByteArray xml = R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0">)"
                               "<METADATA><FIELDS>" +
                               xmlField + "/></FIELDS><PARAMS/></METADATA><ROWDATA/></DATAPACKET>";
        for (const TDataPacket& packet : {Datapacket::ReadBinaryPacket(meta.WithHeader(1, 0), "in"),
                                          Datapacket::ReadXmlPacket(xml, "in")}) {
            QCOMPARE(packet.columns.size(), std::size_t(1));
            const Datapacket::TColumn& column = packet.columns[0];
            QCOMPARE(static_cast<int>(column.type), type);
            QCOMPARE(column.bytes, bytes);
            QCOMPARE(column.isUnsigned, isUnsigned);
            QCOMPARE(column.subtype, keptSubtype.toStdString());
            QCOMPARE(column.decimals, decimals);
        }
    }

    void changeLogGivesTheCurrentView() {
        PacketBytes meta;
        meta.Name("ID").U32(0x00010004).U16(0).U16(0);
        meta.Name("NOME").U32(0x00490001).U16(0).U16(0).U16(0);
        PacketBytes rows;
        rows.U8(1).U8(0).U32(1).U8(3).Raw("Ana");
        // Modified: ID unchanged (flag 2), NOME new.
        rows.U8(8).U8(0x02).U8(3).Raw("Bia");
        rows.U8(4).U8(0).U32(2).U8(4).Raw("Caio");
        rows.U8(2).U8(0).U32(3).U8(4).Raw("Davi");
        rows.U8(1).U8(0).U32(5).U8(3).Raw("Eva");
        // Modified: ID unchanged, NOME made null.
        rows.U8(8).U8(0x06);
        const TDataPacket view = Datapacket::CurrentView(
            Datapacket::ReadBinaryPacket(meta.WithHeader(2, 6) + rows.Bytes(), "log"));
        using Values = std::vector<Datapacket::TValue>;
        QCOMPARE(view.rows.size(), std::size_t(3));
        QVERIFY(view.rows[0].values == (Values{1LL, AnsiString("Bia")}));
        QVERIFY(view.rows[1].values == (Values{2LL, AnsiString("Caio")}));
        QVERIFY(view.rows[2].values == (Values{5LL, {}}));

        // A change to a row that keeps its original's values changes that row alone.
        Datapacket::TRowValues changed = view.rows[0].values;
        changed.Set(0, {});
        QVERIFY(changed == (Values{{}, AnsiString("Bia")}));
        changed.Set(0, 7LL);
        changed.Set(1, {});
        QVERIFY(changed == (Values{7LL, {}}));
        QVERIFY(view.rows[0].values == (Values{1LL, AnsiString("Bia")}));
    }

    void everyTruncationRaises() {
        for (const QByteArray& whole :
             {HandWrittenParameters(), Datapacket::WriteBinaryPacket(EveryKindPacket(), "x")}) {
            for (qsizetype length = 0; length < whole.size(); ++length) {
                AnsiString message;
                DATABASE_ERROR(Datapacket::ParsePacket(whole.left(length), "cut.cds"), message);
                QVERIFY2(message.rfind("cut.cds: ", 0) == 0, message.c_str());
            }
        }
    }

    void malformedInputs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        auto withColumn = [](std::uint32_t word, const QByteArray& rows, std::uint32_t rowCount) {
            PacketBytes meta;
            meta.Name("X").U32(word).U16(0).U16(0).U16(0);
            return meta.WithHeader(1, rowCount) + rows;
        };
        QTest::newRow("unknown type code")
            << withColumn(0x001F0004, {}, 0)
            << "column 'X' has type code 31, which no kind of field uses";
        QTest::newRow("array column")
            << withColumn(0x00810004, {}, 0) << "column 'X' has a type word whose size or flags";
        QTest::newRow("integer of 3 bytes")
            << withColumn(0x00010003, {}, 0) << "a type word whose size or flags no kind";
        QTest::newRow("huge row count")
            << withColumn(0x00010004, {}, 0xFFFFFFFF)
            << "the row count says 4294967295, more than the remaining 0 bytes can hold";
        QTest::newRow("huge string length")
            << withColumn(0x00490004, PacketBytes().U8(0).U8(0).U32(0xFFFFFFFF).Bytes(), 1)
            << "the data ends inside row 1";
        QTest::newRow("date before year 1")
            << withColumn(0x00060004, PacketBytes().U8(0).U8(0).U32(0).Bytes(), 1)
            << "row 1: the stored value of field 'X' is not a date";
        QTest::newRow("time past midnight")
            << withColumn(0x00070004, PacketBytes().U8(0).U8(0).U32(86400000).Bytes(), 1)
            << "the stored value of field 'X' is not a time of day";
        QTest::newRow("odd wide string")
            << withColumn(0x004A0001, PacketBytes().U8(0).U8(0).U8(3).Raw("abc").Bytes(), 1)
            << "the stored value of field 'X' is not Unicode text";
        QTest::newRow("BCD digit above 9")
            << withColumn(
                   0x00050022,
                   PacketBytes().U8(0).U8(0).U8(2).U8(0).U8(0xA1).Raw(QByteArray(31, 0)).Bytes(), 1)
            << "the stored value of field 'X' is not an exact decimal number";

        PacketBytes hugeColumns;
        hugeColumns.Raw("\x96\x19\xE0\xBD").U16(1).U16(0).U32(24).U16(0xFFFF).U32(0).U32(3).U16(24);
        QTest::newRow("huge column count")
            << hugeColumns.Bytes() << "the column count says 65535, more than";
        PacketBytes hugeProperties;
        hugeProperties.Name("X").U32(0x00010004).U16(0).U16(0xFFFF);
        QTest::newRow("huge property count")
            << hugeProperties.WithHeader(1, 0) << "the property count of column 'X' says 65535";
        PacketBytes hugeArray;
        hugeArray.Name("X").U32(0x00010004).U16(0).U16(0).U16(1);
        hugeArray.Name("DEFAULT_ORDER").U32(0x00820002).U32(0x7FFFFFFF);
        QTest::newRow("huge array property")
            << hugeArray.WithHeader(1, 0)
            << "the element count of property 'DEFAULT_ORDER' of the dataset says 2147483647";
        QByteArray badHeaderSize = withColumn(0x00010004, {}, 0);
        badHeaderSize[8] = 100;
        QTest::newRow("header size past the end")
            << badHeaderSize << "the header gives its own size as 100 bytes";
        QByteArray badOffset = withColumn(0x00010004, {}, 0);
        badOffset[22] = 10;
        QTest::newRow("rows inside the columns")
            << badOffset << "the header puts the first row at byte 10";
        QTest::newRow("not a packet")
            << QByteArray("PK\x03\x04 zip") << "neither a binary nor an XML data packet";
        QTest::newRow("empty") << QByteArray() << "neither a binary nor an XML data packet";
    }

    void malformedInputs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        AnsiString message;
        DATABASE_ERROR(Datapacket::ParsePacket(bytes, "bad.cds"), message);
        QVERIFY2(message.rfind("bad.cds: ", 0) == 0, message.c_str());
        QVERIFY2(message.find(fault.toStdString()) != AnsiString::npos, message.c_str());
    }
};

QTEST_GUILESS_MAIN(BinaryTest)

#include "test_binary.moc"
