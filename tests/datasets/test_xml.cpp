#include "samples.h"

#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketfile.h"
#include "framework/data/datapacketvalue.h"
#include "framework/data/datapacketxml.h"

#include <QTest>

using Datapacket::TDataPacket;
using Datapacket::TValue;
using Db::TFieldType;

namespace {

const QByteArray Declaration = R"(<?xml version="1.0" standalone="yes"?>)";

// A packet with the given FIELD elements and ROW elements.
QByteArray Packet(const QByteArray& fields, const QByteArray& rows,
                  const QByteArray& declaration = Declaration) {
    return declaration + "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>" + fields +
           "</FIELDS><PARAMS LCID=\"1046\"/></METADATA><ROWDATA>" + rows +
           "</ROWDATA></DATAPACKET>";
}

const QByteArray NameField = R"(<FIELD attrname="NOME" fieldtype="string" WIDTH="20"/>)";

} // namespace

class XmlTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheEncodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("name");
        const QByteArray name = "Jo\xE3o";
        QTest::newRow("raw Latin-1, no declaration")
            << Packet(NameField, "<ROW NOME=\"Jo\xE3o\"/>") << name;
        QTest::newRow("raw Windows-1252, no declaration")
            << Packet(NameField, "<ROW NOME=\"\x93Jo\xE3o\x94 \x80\"/>")
            << QByteArray("\x93Jo\xE3o\x94 \x80");
        QTest::newRow("raw Latin-1, declared")
            << Packet(NameField, "<ROW NOME=\"Jo\xE3o\"/>",
                      R"(<?xml version="1.0" encoding="ISO-8859-1"?>)")
            << name;
        QTest::newRow("UTF-8 declared")
            << Packet(NameField, "<ROW NOME=\"Jo\xC3\xA3o\"/>",
                      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)")
            << name;
        QTest::newRow("UTF-8 declared as utf8")
            << Packet(NameField, "<ROW NOME=\"Jo\xC3\xA3o\"/>",
                      R"(<?xml version='1.0' encoding='utf8'?>)")
            << name;
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBF  \n") + Packet(NameField, "<ROW NOME=\"Jo\xC3\xA3o\"/>")
            << name;
        QTest::newRow("character reference")
            << Packet(NameField, "<ROW NOME=\"Jo&#227;o\"/>", "") << name;
    }

    void readsTheEncodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, name);
        const TDataPacket packet = Datapacket::ParsePacket(bytes, "p.xml");
        QCOMPARE(packet.rows.size(), std::size_t(1));
        QVERIFY(packet.rows[0].values[0] == TValue(name.toStdString()));
    }

    void readsEveryValueForm() {
        const QByteArray fields =
            R"(<field ATTRNAME="nome" FieldType="string" width="10" fieldname="Nome Completo"/>)"
            R"(<FIELD attrname="DT" fieldtype="dateTime"/><FIELD attrname="D" fieldtype="date"/>)"
            R"(<FIELD attrname="T" fieldtype="time"/><FIELD attrname="B" fieldtype="boolean"/>)"
            R"(<FIELD attrname="N" fieldtype="i2" required="true" readonly="TRUE"/>)"
            R"(<FIELD attrname="V" fieldtype="r8" SUBTYPE="Money"/>)"
            R"(<FIELD attrname="F" fieldtype="fixedFMT" WIDTH="10" DECIMALS="2"/>)"
            R"(<FIELD attrname="M" fieldtype="bin.hex" SUBTYPE="Text"/>)"
            R"(<FIELD attrname="W" fieldtype="string.uni" WIDTH="20"/>)";
        const QByteArray rows =
            R"(<ROW nome="a&lt;&gt;&amp;&quot;&apos;&#013;&#010;&#009;&#092;" DT="20261207T19:30:00000")"
            " D=\"20261207\" T=\"19:30:05250\" B=\"true\" N=\"-5\" V=\"1.5e3\" F=\"-.5\""
            " M=\"Obs.&#013;&#010;fim\" W=\"&#65279;&#8364;\"/><ROW DT=\"20261207\" B=\"F\"/>";
        const TDataPacket packet = Datapacket::ReadXmlPacket(Packet(fields, rows), "p.xml");
        QCOMPARE(packet.columns[0].name, AnsiString("Nome Completo"));
        QCOMPARE(packet.columns[0].width, 10);
        QCOMPARE(packet.columns[5].attributes,
                 unsigned(Datapacket::caRequired | Datapacket::caReadOnly));
        QCOMPARE(packet.columns[6].type, TFieldType::ftCurrency);
        QCOMPARE(packet.columns[7].decimals, 2);
        QCOMPARE(packet.columns[8].type, TFieldType::ftMemo);
        QCOMPARE(packet.columns[9].width, 10);
        const std::vector<TValue> first = {AnsiString("a<>&\"'\r\n\t\\"),
                                           SampleDateTime,
                                           SampleDay,
                                           70205250LL,
                                           true,
                                           -5LL,
                                           1500.0,
                                           AnsiString("-0.5"),
                                           QByteArray("Obs.\r\nfim"),
                                           QStringLiteral(u"\uFEFF\u20AC")};
        QVERIFY(packet.rows[0].values == first);
        std::vector<TValue> second(packet.columns.size());
        second[1] = SampleDay * 86400000.0;
        second[4] = false;
        QVERIFY(packet.rows[1].values == second);
    }

    // A subtype is kept in Latin-1, and the column's type follows what is kept: a character
    // outside it cannot make a blob that the binary form gives back as a memo.
    void aSubtypeOutsideLatin1ReadsAsItIsKept() {
        const TDataPacket packet = Datapacket::ReadXmlPacket(
            Packet("<FIELD attrname=\"M\" fieldtype=\"bin.hex\" SUBTYPE=\"&#57344;Text\"/>", ""),
            "p.xml");
        QCOMPARE(packet.columns[0].type, TFieldType::ftMemo);
        QCOMPARE(packet.columns[0].subtype, AnsiString("Text"));
        const TDataPacket binary =
            Datapacket::ParsePacket(Datapacket::WriteBinaryPacket(packet, "p.cds"), "p.cds");
        QCOMPARE(binary.columns[0].type, packet.columns[0].type);
        QCOMPARE(binary.columns[0].subtype, packet.columns[0].subtype);
    }

    // Files of the real framework: a memo of text is the text itself in XML, a blob base64; each
    // reads to the same rows as its binary twin, in either encoding.
    void twinsReadToTheSameRows_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::newRow("memos and a blob") << MemoTwinXml();
        QTest::newRow("the same in UTF-8")
            << QByteArray("\xEF\xBB\xBF") + QString::fromLatin1(MemoTwinXml()).toUtf8();
    }

    void twinsReadToTheSameRows() {
        QFETCH(QByteArray, xml);
        const TDataPacket fromXml = Datapacket::ParsePacket(xml, "twin.xml");
        QVERIFY(fromXml == Datapacket::ParsePacket(MemoTwinBinary(), "twin.cds"));
        QVERIFY(fromXml.rows[0].values[2] ==
                TValue(QByteArray("Also known as Bia & \"Bi\"; prefers the table by the window, "
                                  "away from the door.")));
    }

    // What our writer makes of either twin is the file the framework wrote, memos as text.
    void memosAreWrittenAsTheFrameworkWritesThem_data() {
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("from XML") << MemoTwinXml();
        QTest::newRow("from binary") << MemoTwinBinary();
    }

    void memosAreWrittenAsTheFrameworkWritesThem() {
        QFETCH(QByteArray, source);
        QCOMPARE(Datapacket::WriteXmlPacket(Datapacket::ParsePacket(source, "twin"), "x"),
                 MemoTwinXml());
    }

    void rowStatesGiveTheCurrentView() {
        const QByteArray fields = R"(<FIELD attrname="ID" fieldtype="i4"/>)" + NameField;
        const QByteArray rows = R"(<ROW RowState="1" ID="1" NOME="Ana"/>)"
                                R"(<ROW RowState="8" NOME="Bia"/>)"
                                R"(<ROW RowState="4" ID="2" NOME="Caio"/>)"
                                R"(<ROW RowState="2" ID="3" NOME="Davi"/>)"
                                R"(<ROW ID="4"/>)";
        const TDataPacket view =
            Datapacket::CurrentView(Datapacket::ReadXmlPacket(Packet(fields, rows), "p.xml"));
        QCOMPARE(view.rows.size(), std::size_t(3));
        QVERIFY(view.rows[0].values == (std::vector<TValue>{1LL, AnsiString("Bia")}));
        QVERIFY(view.rows[1].values == (std::vector<TValue>{2LL, AnsiString("Caio")}));
        QVERIFY(view.rows[2].values == (std::vector<TValue>{4LL, {}}));
    }

    void writesTheFrameworkForm() {
        TDataPacket packet;
        packet.columns = {Datapacket::MakeColumn("NOME", TFieldType::ftString, 20),
                          Datapacket::MakeColumn("Nome Completo", TFieldType::ftString, 5),
                          Datapacket::MakeColumn("DT", TFieldType::ftDateTime, 0)};
        packet.rows = {
            {Datapacket::rsUnchanged, {AnsiString("Jo\xE3o\r\n\\"), {}, SampleDay * 86400000.0}}};
        const QByteArray xml = Datapacket::WriteXmlPacket(packet, "out.xml");
        QCOMPARE(
            xml,
            Declaration +
                R"(<DATAPACKET Version="2.0"><METADATA><FIELDS>)"
                R"(<FIELD attrname="NOME" fieldtype="string" WIDTH="20"/>)"
                R"(<FIELD attrname="FIELD2" fieldname="Nome Completo" fieldtype="string" WIDTH="5"/>)"
                R"(<FIELD attrname="DT" fieldtype="dateTime"/>)"
                R"(</FIELDS><PARAMS/></METADATA><ROWDATA>)"
                "<ROW NOME=\"Jo\xE3o&#013;&#010;&#092;\" DT=\"20261207\"/>"
                R"(</ROWDATA></DATAPACKET>)");
        QVERIFY(Datapacket::ReadXmlPacket(xml, "out.xml") == packet);
    }

    void keepsWhatXmlCannotSayDirectly() {
        TDataPacket packet;
        packet.columns = {Datapacket::MakeColumn("A", TFieldType::ftString, 20),
                          Datapacket::MakeColumn("a", TFieldType::ftWideString, 20),
                          Datapacket::MakeColumn("RowState", TFieldType::ftString, 20)};
        packet.rows = {{Datapacket::rsUnchanged,
                        {AnsiString("x\x01y\x1F"), QString(QChar(0xE000)) + QChar(0x02),
                         AnsiString("&#001;")}}};
        const QByteArray xml = Datapacket::WriteXmlPacket(packet, "out.xml");
        QVERIFY(xml.contains(R"(A="x&#001;y&#031;")"));
        QVERIFY(Datapacket::ReadXmlPacket(xml, "out.xml") == packet);
        // The same in UTF-8, as another writer may give it, with the private-use character itself.
        const QByteArray utf8 =
            "\xEF\xBB\xBF" +
            QString::fromLatin1(xml).replace(QStringLiteral("&#57344;"), QChar(0xE000)).toUtf8();
        QVERIFY(utf8.contains("\xEE\x80\x80"));
        QVERIFY(Datapacket::ReadXmlPacket(utf8, "out.xml") == packet);
    }

    // Odd, but no reason to fail: rows before a METADATA have a null for each of its columns.
    void rowsBeforeMetadataHaveEveryColumn() {
        const QByteArray xml =
            R"(<DATAPACKET><ROWDATA><ROW RowState="1" A="1"/></ROWDATA><METADATA><FIELDS>)"
            R"(<FIELD attrname="A" fieldtype="i4"/></FIELDS></METADATA>)"
            R"(<ROWDATA><ROW RowState="8" A="2"/></ROWDATA></DATAPACKET>)";
        const TDataPacket packet = Datapacket::ReadXmlPacket(xml, "p.xml");
        QCOMPARE(packet.rows.size(), std::size_t(2));
        QVERIFY(packet.rows[0].values == std::vector<TValue>(1));
        QVERIFY(packet.rows[1].values == std::vector<TValue>{2LL});
    }

    // A modified row takes what it does not carry from its original: a null its original shares
    // is written, a value it clears cannot be.
    void modifiedRowsKeepOnlyTheNullsOfTheirOriginal() {
        TDataPacket packet;
        packet.columns = {Datapacket::MakeColumn("ID", TFieldType::ftInteger, 0),
                          Datapacket::MakeColumn("NOME", TFieldType::ftString, 20)};
        packet.rows = {{Datapacket::rsOriginal, {1LL, {}}}, {Datapacket::rsModified, {2LL, {}}}};
        QVERIFY(Datapacket::ReadXmlPacket(Datapacket::WriteXmlPacket(packet, "out.xml"),
                                          "out.xml") == packet);
        packet.rows[0].values.Set(1, AnsiString("Ana"));
        AnsiString message;
        DATABASE_ERROR(Datapacket::WriteXmlPacket(packet, "out.xml"), message);
        QCOMPARE(message, AnsiString("out.xml: row 2: field 'NOME' of a modified row is null where "
                                     "its original has a value, which the XML form cannot hold"));
    }

    void malformedInputs_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("fault");
        QTest::newRow("unclosed element") << Declaration + "<DATAPACKET><METADATA><FIELDS>"
                                          << "the XML cannot be parsed at line 1";
        QTest::newRow("mismatched tags")
            << Packet(NameField, "<ROW NOME=\"a\"></ROWX>") << "the XML cannot be parsed";
        QTest::newRow("text after the root") << Packet(NameField, "") + "<DATAPACKET/>"
                                             << "the XML cannot be parsed";
        QTest::newRow("other root")
            << QByteArray("<html><body/></html>") << "outermost element is not DATAPACKET";
        QTest::newRow("no METADATA") << QByteArray("<DATAPACKET/>") << "has no METADATA element";
        QTest::newRow("bad UTF-8") << Packet(NameField, "<ROW NOME=\"Jo\xE3o\"/>",
                                             R"(<?xml version="1.0" encoding="utf-8"?>)")
                                   << "the XML is marked as UTF-8, but its bytes are not";
        QTest::newRow("unknown fieldtype")
            << Packet(R"(<FIELD attrname="X" fieldtype="nested"/>)", "")
            << "field 'X' has the fieldtype 'nested', which names no kind of field";
        QTest::newRow("no attrname")
            << Packet(R"(<FIELD fieldtype="i4"/>)", "") << "a FIELD element has no attrname";
        QTest::newRow("bad WIDTH")
            << Packet(R"(<FIELD attrname="X" fieldtype="string" WIDTH="wide"/>)", "")
            << "the WIDTH of field 'X' is 'wide', not a whole number of 0 or more";
        const QByteArray dateField = R"(<FIELD attrname="X" fieldtype="date"/>)";
        QTest::newRow("impossible date") << Packet(dateField, R"(<ROW X="20261332"/>)")
                                         << "row 1: '20261332' for field 'X' is not a date";
        QTest::newRow("date with separators")
            << Packet(dateField, R"(<ROW X="2026-12-07"/>)") << "'2026-12-07' for field 'X'";
        QTest::newRow("hour 25") << Packet(R"(<FIELD attrname="X" fieldtype="time"/>)",
                                           R"(<ROW X="25:00:00000"/>)")
                                 << "'25:00:00000' for field 'X' is not a time of day";
        QTest::newRow("date-time without T")
            << Packet(R"(<FIELD attrname="X" fieldtype="dateTime"/>)",
                      R"(<ROW X="20261207 19:30:00000"/>)")
            << "for field 'X' is not a date and time";
        QTest::newRow("integer with letters")
            << Packet(R"(<FIELD attrname="X" fieldtype="i4"/>)", R"(<ROW/><ROW X="12a"/>)")
            << "row 2: '12a' for field 'X' is not a 32-bit whole number";
        QTest::newRow("integer out of range")
            << Packet(R"(<FIELD attrname="X" fieldtype="i2"/>)", R"(<ROW X="70000"/>)")
            << "'70000' for field 'X' is not a 16-bit whole number";
        QTest::newRow("boolean") << Packet(R"(<FIELD attrname="X" fieldtype="boolean"/>)",
                                           R"(<ROW X="yes"/>)")
                                 << "'yes' for field 'X' is not a yes-or-no value";
        QTest::newRow("float") << Packet(R"(<FIELD attrname="X" fieldtype="r8"/>)",
                                         R"(<ROW X="1,5"/>)")
                               << "'1,5' for field 'X' is not a floating-point number";
        QTest::newRow("base64") << Packet(R"(<FIELD attrname="X" fieldtype="bin.hex"/>)",
                                          R"(<ROW X="!!!"/>)")
                                << "'!!!' for field 'X' is not binary data";
        QTest::newRow("long value, quoted in part")
            << Packet(R"(<FIELD attrname="X" fieldtype="i4"/>)",
                      "<ROW X=\"" + QByteArray(40, '7') + QByteArray(822, 'x') + "\"/>")
            << "row 1: '" + QString(40, u'7') + "...' for field 'X' is not";
        QTest::newRow("RowState") << Packet(NameField, R"(<ROW RowState="x"/>)")
                                  << "row 1: the RowState 'x' is not a number";
        // Entities that expand tenfold at each step: a few hundred bytes would be megabytes.
        QTest::newRow("document type declaration")
            << Packet(NameField, R"(<ROW NOME="&c;"/>)",
                      R"(<!DOCTYPE DATAPACKET [<!ENTITY a "aaaaaaaaaa">)"
                      R"(<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">)"
                      R"(<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]>)")
            << "the XML has a document type declaration";
    }

    void malformedInputs() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, fault);
        AnsiString message;
        DATABASE_ERROR(Datapacket::ParsePacket(bytes, "bad.xml"), message);
        QVERIFY2(message.rfind("bad.xml: ", 0) == 0, message.c_str());
        QVERIFY2(message.find(fault.toStdString()) != AnsiString::npos, message.c_str());
    }
};

QTEST_GUILESS_MAIN(XmlTest)

#include "test_xml.moc"
