#include "heldmemory.h"
#include "packetbytes.h"
#include "samples.h"

#include "framework/data/datapacketbinary.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"

#include <QTest>
#include <functional>
#include <memory>
#include <sys/resource.h>

using Db::TField;
using Db::TFieldType;
using Dbclient::TClientDataSet;

namespace {

const Sysutils::TDateTime SampleEvening =
    Sysutils::EncodeDateTime(QDate(2026, 12, 7), QTime(19, 30));

// The host's way of building a reservation dataset: definitions, then rows set field by field.
std::unique_ptr<TClientDataSet> HostReservations() {
    auto host = std::make_unique<TClientDataSet>();
    host->setObjectName("cdsHost");
    host->AddFieldDef("NRRESMESA", TFieldType::ftString, 10);
    host->AddFieldDef("DTRESMESA", TFieldType::ftDateTime);
    host->AddFieldDef("HRINIRESMESA", TFieldType::ftString, 4);
    host->AddFieldDef("IDSTRESMESA", TFieldType::ftString, 1);
    host->AddFieldDef("DTHRINCLURES", TFieldType::ftDate);
    host->CreateDataSet();
    const char* const numbers[] = {"0001", "0002"};
    for (const char* number : numbers) {
        host->Append();
        host->FieldByName("NRRESMESA")->SetAsString(number);
        host->FieldByName("DTRESMESA")->SetAsDateTime(SampleEvening);
        host->FieldByName("HRINIRESMESA")->SetAsString("1930");
        host->FieldByName("IDSTRESMESA")->SetAsString("P");
        host->FieldByName("DTHRINCLURES")->SetAsDateTime(SampleEvening);
        host->Post();
    }
    return host;
}

// The form's reservation dataset: persistent fields in another order and case.
std::unique_ptr<TClientDataSet> FormReservation() {
    auto form = std::make_unique<TClientDataSet>();
    form->setObjectName("cdsReserva");
    form->AddField("dtresmesa", TFieldType::ftDateTime);
    form->AddField("NRRESMESA", TFieldType::ftString, 10)->SetDisplayLabel("N\xBA Reserva");
    form->AddField("IDSTRESMESA", TFieldType::ftString, 1);
    return form;
}

// A change log of one large original value and many modified rows that keep it unchanged.
constexpr qsizetype LargeValueSize = 200 * 1024;
constexpr int KeepingRows = 20000;

QByteArray LargeValue() {
    return QByteArray(LargeValueSize, 'v');
}

QByteArray KeepingLogBinary() {
    PacketBytes meta;
    meta.Name("S").U32(0x00490004).U16(0).U16(0).U16(0);
    PacketBytes rows;
    rows.U8(Datapacket::rsOriginal).U8(0).U32(LargeValueSize).Raw(LargeValue());
    for (int i = 0; i < KeepingRows; ++i) {
        rows.U8(Datapacket::rsModified).U8(2);
    }
    return meta.WithHeader(1, KeepingRows + 1) + rows.Bytes();
}

QByteArray KeepingLogXml() {
    QByteArray xml = R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0">)"
                     R"(<METADATA><FIELDS><FIELD attrname="S" fieldtype="string"/></FIELDS>)"
                     R"(<PARAMS/></METADATA><ROWDATA><ROW RowState="1" S=")" +
                     LargeValue() + R"("/>)";
    for (int i = 0; i < KeepingRows; ++i) {
        xml += R"(<ROW RowState="8"/>)";
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

// An XML packet of WideColumns whole-number fields, F1 onwards, with rows of about 350 KB: each
// made by row(i), after the first row given.
constexpr int WideColumns = 4000;

QByteArray WidePacket(const QByteArray& first, const std::function<QByteArray(int)>& row) {
    QByteArray xml = R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0">)"
                     "<METADATA><FIELDS>";
    for (int c = 1; c <= WideColumns; ++c) {
        xml += "<FIELD attrname=\"F" + QByteArray::number(c) + "\" fieldtype=\"i4\"/>";
    }
    xml += "</FIELDS><PARAMS/></METADATA><ROWDATA>" + first;
    const qsizetype rowsEnd = xml.size() + 350 * 1024;
    for (int i = 0; xml.size() < rowsEnd; ++i) {
        xml += row(i);
    }
    return xml + "</ROWDATA></DATAPACKET>";
}

QByteArray WideOriginal() {
    QByteArray row = R"(<ROW RowState="1")";
    for (int c = 1; c <= WideColumns; ++c) {
        row += " F" + QByteArray::number(c) + "=\"" + QByteArray::number(c) + '"';
    }
    return row + "/>";
}

// The most memory the process has held so far, in MB.
long PeakMemoryMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

} // namespace

class DatasetTest : public QObject {
    Q_OBJECT

private slots:
    void dataIsCopiedBetweenDatasets() {
        const auto host = HostReservations();
        host->Next();
        TClientDataSet copy;
        copy.SetData(host->Data());
        QCOMPARE(copy.RecordCount(), 2);
        QCOMPARE(copy.RecNo(), 1);
        QCOMPARE(copy.FieldByName("NRRESMESA")->AsString(), AnsiString("0001"));
        QCOMPARE(copy.FieldByName("DTRESMESA")->AsDateTime(), SampleEvening);
        QCOMPARE(copy.FieldByName("DTHRINCLURES")->AsDateTime(),
                 Sysutils::EncodeDateTime(QDate(2026, 12, 7)));

        copy.Edit();
        copy.FieldByName("NRRESMESA")->SetAsString("9999");
        copy.Post();
        host->First();
        QCOMPARE(host->FieldByName("NRRESMESA")->AsString(), AnsiString("0001"));
        QCOMPARE(copy.FieldByName("NRRESMESA")->AsString(), AnsiString("9999"));
    }

    void persistentFieldsBindByName() {
        const auto host = HostReservations();
        const auto form = FormReservation();
        form->SetData(host->Data());
        QCOMPARE(form->FieldCount(), 3);
        QCOMPARE(form->Fields(0)->AsDateTime(), SampleEvening);
        QCOMPARE(form->FieldByName("nrresmesa")->AsString(), AnsiString("0001"));
        QCOMPARE(form->FieldByName("NRRESMESA")->DisplayLabel(), AnsiString("N\xBA Reserva"));
        QCOMPARE(form->FieldByName("IDSTRESMESA")->DisplayLabel(), AnsiString("IDSTRESMESA"));
        QVERIFY(form->FindField("HRINIRESMESA") == nullptr);
        // The columns without a field travel on with the data.
        TClientDataSet next;
        next.SetData(form->Data());
        QCOMPARE(next.FieldByName("HRINIRESMESA")->AsString(), AnsiString("1930"));
    }

    void bindingFaultsNameDatasetAndField() {
        const auto host = HostReservations();
        auto missing = FormReservation();
        missing->AddField("CDLOJA", TFieldType::ftString, 10);
        AnsiString message;
        DATABASE_ERROR(missing->SetData(host->Data()), message);
        QCOMPARE(message, AnsiString("cdsReserva: the data has no column for field 'CDLOJA'"));
        QVERIFY(!missing->Active());

        TClientDataSet wrongKind;
        wrongKind.setObjectName("cdsReserva");
        wrongKind.AddField("HRINIRESMESA", TFieldType::ftDateTime);
        DATABASE_ERROR(wrongKind.SetData(host->Data()), message);
        QCOMPARE(message, AnsiString("cdsReserva: field 'HRINIRESMESA' is meant for a date and "
                                     "time, but the data holds text in that column"));
        DATABASE_ERROR(host->FieldByName("NMRESMESA"), message);
        QCOMPARE(message, AnsiString("cdsHost: there is no field named 'NMRESMESA'"));
    }

    void onGetTextMakesTheDisplayText() {
        const auto host = HostReservations();
        const auto form = FormReservation();
        form->SetData(host->Data());
        TField* status = form->FieldByName("IDSTRESMESA");
        QCOMPARE(status->DisplayText(), AnsiString("P"));
        TField* sender = nullptr;
        status->OnGetText = [&](TField* field, AnsiString& text, bool displayText) {
            sender = field;
            QVERIFY(displayText);
            text = field->AsString() == "P" ? "Pendente" : "";
        };
        QCOMPARE(status->DisplayText(), AnsiString("Pendente"));
        QCOMPARE(sender, status);
        QCOMPARE(status->AsString(), AnsiString("P"));
    }

    void emptyDatasetHasNoCurrentRecord() {
        TClientDataSet empty;
        empty.setObjectName("cdsVazio");
        empty.AddFieldDef("NOME", TFieldType::ftString, 10);
        empty.CreateDataSet();
        TField* name = empty.FieldByName("NOME");
        QVERIFY(empty.Eof() && empty.Bof());
        QCOMPARE(empty.RecNo(), 0);
        QCOMPARE(name->AsString(), AnsiString());
        QVERIFY(name->IsNull());
        empty.First();
        empty.Next();
        QVERIFY(empty.Eof());
        AnsiString message;
        DATABASE_ERROR(name->SetAsString("x"), message);
        QCOMPARE(message, AnsiString("cdsVazio: there is no current record to change"));
        DATABASE_ERROR(empty.Delete(), message);
        QCOMPARE(message, AnsiString("cdsVazio: there is no record to delete"));
        TClientDataSet copy;
        copy.SetData(empty.Data());
        QCOMPARE(copy.RecordCount(), 0);
        QCOMPARE(copy.FieldByName("NOME")->AsString(), AnsiString());
    }

    void navigationAndEditing() {
        const auto host = HostReservations();
        TField* number = host->FieldByName("NRRESMESA");
        host->First();
        QVERIFY(host->Bof() && !host->Eof());
        host->Next();
        QCOMPARE(number->AsString(), AnsiString("0002"));
        host->Next();
        QVERIFY(host->Eof());
        QCOMPARE(host->RecNo(), 2);

        host->Edit();
        number->SetAsString("0002-longer-than-ten");
        QCOMPARE(number->AsString(), AnsiString("0002-longe"));
        host->Cancel();
        QCOMPARE(number->AsString(), AnsiString("0002"));

        host->Append();
        QCOMPARE(host->RecordCount(), 3);
        QVERIFY(number->IsNull());
        host->Cancel();
        QCOMPARE(host->RecordCount(), 2);

        host->First();
        host->Delete();
        QCOMPARE(host->RecordCount(), 1);
        QCOMPARE(number->AsString(), AnsiString("0002"));

        number->SetReadOnly(true);
        AnsiString message;
        DATABASE_ERROR(number->SetAsString("x"), message);
        QCOMPARE(
            message,
            AnsiString("cdsHost: field 'NRRESMESA' is read-only; its value cannot be changed"));
    }

    void requiredFieldsNeedAValueOnPost() {
        TClientDataSet dataset;
        dataset.AddFieldDef("ID", TFieldType::ftInteger, 0, true);
        dataset.CreateDataSet();
        dataset.Append();
        AnsiString message;
        DATABASE_ERROR(dataset.Post(), message);
        QCOMPARE(message, AnsiString("field 'ID' must be filled in before the record is kept"));
        dataset.FieldByName("ID")->SetAsInteger(1);
        dataset.Post();
        QCOMPARE(dataset.RecordCount(), 1);
    }

    void valuesConvert() {
        const auto host = HostReservations();
        QCOMPARE(host->FieldByName("DTRESMESA")->AsString(), AnsiString("07/12/2026 19:30:00"));
        QCOMPARE(host->FieldByName("DTHRINCLURES")->AsString(), AnsiString("07/12/2026"));
        TClientDataSet numbers;
        numbers.AddFieldDef("I", TFieldType::ftSmallint);
        numbers.AddFieldDef("F", TFieldType::ftFloat);
        numbers.AddFieldDef("B", TFieldType::ftBoolean);
        numbers.CreateDataSet();
        numbers.Append();
        numbers.FieldByName("I")->SetAsString(" 42 ");
        numbers.FieldByName("F")->SetAsFloat(12.5);
        numbers.FieldByName("B")->SetAsBoolean(true);
        QCOMPARE(numbers.FieldByName("I")->AsFloat(), 42.0);
        QCOMPARE(numbers.FieldByName("F")->AsString(), AnsiString("12.5"));
        QCOMPARE(numbers.FieldByName("B")->AsString(), AnsiString("True"));
        AnsiString message;
        DATABASE_ERROR(numbers.FieldByName("I")->SetAsInteger(40000), message);
        QCOMPARE(message,
                 AnsiString("field 'I' holds whole numbers from -32768 to 32767, and 40000 is not "
                            "among them"));
        DATABASE_ERROR(numbers.FieldByName("I")->SetAsString("4x"), message);
        QCOMPARE(message, AnsiString("field 'I': '4x' is not a 16-bit whole number"));
        DATABASE_ERROR(numbers.FieldByName("B")->AsDateTime(), message);
        QCOMPARE(message, AnsiString("field 'B' holds a yes-or-no value, which does not convert to "
                                     "or from a date and time"));
        QCOMPARE(numbers.FieldByName("I")->AsInteger(), 42);
    }

    void rowsKeepingTheirOriginalShareItsValues_data() {
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("binary") << KeepingLogBinary();
        QTest::newRow("XML") << KeepingLogXml();
    }

    void rowsKeepingTheirOriginalShareItsValues() {
        QFETCH(QByteArray, packet);
        const long before = PeakMemoryMb();
        TClientDataSet log;
        log.SetData(packet);
        const long growth = PeakMemoryMb() - before;
        QCOMPARE(log.RecordCount(), KeepingRows);
        QVERIFY(log.Packet().rows.back().values ==
                std::vector<Datapacket::TValue>{LargeValue().toStdString()});
        // Each row holds a 200 KB value, yet only one copy of it should exist.
        QVERIFY2(growth < 64, qPrintable(QStringLiteral("peak memory grew by %1 MB").arg(growth)));
    }

    // What a packet holds follows its bytes, not its rows times its columns: a null costs nothing,
    // and the changes of an original share the values they keep from it.
    void packetsHoldWhatTheirBytesSay_data() {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<int>("lastValue");
        QTest::newRow("empty rows") << WidePacket({}, [](int) { return "<ROW/>"; }) << 0;
        QTest::newRow("a value a row") << WidePacket({}, [](int i) {
            return "<ROW F" + QByteArray::number(i % WideColumns + 1) + "=\"" +
                   QByteArray::number(i) + "\"/>";
        }) << 0;
        QTest::newRow("changes of a wide original") << WidePacket(WideOriginal(), [](int i) {
            return "<ROW RowState=\"8\" F7=\"" + QByteArray::number(i) + "\"/>";
        }) << WideColumns;
    }

    void packetsHoldWhatTheirBytesSay() {
        QFETCH(QByteArray, packet);
        QFETCH(int, lastValue);
        const std::size_t before = HeldBytes();
        TClientDataSet dataset;
        dataset.SetData(packet);
        const auto held = static_cast<qint64>(HeldBytes()) - static_cast<qint64>(before);
        QCOMPARE(dataset.FieldCount(), WideColumns);
        QVERIFY(dataset.RecordCount() > 10000);
        QCOMPARE(dataset.FieldByName("F4000")->AsInteger(), lastValue);
        // The fields themselves, one object each, take about a megabyte.
        QVERIFY2(
            held < 16 * packet.size(),
            qPrintable(
                QStringLiteral("%1 bytes held for a packet of %2").arg(held).arg(packet.size())));
    }

    void filesOfBothForms() {
        QTemporaryDir dir;
        const auto host = HostReservations();
        for (const QString name : {"reservas.cds", "reservas.XML"}) {
            const QString path = dir.filePath(name);
            host->SaveToFile(path);
            QCOMPARE(ReadFile(path).startsWith("<?xml"), name.endsWith("XML"));
            TClientDataSet loaded;
            loaded.LoadFromFile(path);
            QCOMPARE(loaded.Data(), host->Data());
        }
        const QString notPacket = WriteFile(dir, "notes.txt", "just text");
        TClientDataSet loaded;
        AnsiString message;
        DATABASE_ERROR(loaded.LoadFromFile(notPacket), message);
        QCOMPARE(message, notPacket.toStdString() + ": neither a binary nor an XML data packet");
        DATABASE_ERROR(loaded.LoadFromFile(dir.filePath("absent.cds")), message);
        DATABASE_ERROR(loaded.SetData("\x96\x19\xE0\xBD"), message);
        QCOMPARE(message, AnsiString("data packet: the data ends inside the header"));
    }
};

QTEST_GUILESS_MAIN(DatasetTest)

#include "test_dataset.moc"
