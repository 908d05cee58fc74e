#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/store.h"
#include "reservationprinter.h"
#include "storefixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTest>
#include <memory>

class DatasetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> store_;

private slots:
    void init() {
        store_ = std::make_unique<StoreFixture>(QDateTime(QDate(2026, 12, 1), QTime(10, 0)));
    }
    void cleanup() { store_.reset(); }

    void fieldsFollowTheReservationRecord() {
        Dbclient::TClientDataSet dataset;
        Reservas::DefineReservationFields(dataset);
        dataset.CreateDataSet();
        const std::vector<std::tuple<AnsiString, Db::TFieldType, int>> expected{
            {"DSRESMESA", Db::TFieldType::ftString, 30},
            {"NRRESMESA", Db::TFieldType::ftString, 10},
            {"CDFILIAL", Db::TFieldType::ftString, 4},
            {"CDLOJA", Db::TFieldType::ftString, 10},
            {"DTRESMESA", Db::TFieldType::ftDateTime, 0},
            {"HRINIRESMESA", Db::TFieldType::ftString, 4},
            {"HRFINRESMESA", Db::TFieldType::ftString, 4},
            {"NMRESMESA", Db::TFieldType::ftString, 50},
            {"NRTELRESMESA", Db::TFieldType::ftString, 25},
            {"NRPESRESMESA", Db::TFieldType::ftString, 3},
            {"IDSTRESMESA", Db::TFieldType::ftString, 1},
            {"CDOPERINCRES", Db::TFieldType::ftString, 12},
            {"DTHRINCLURES", Db::TFieldType::ftDate, 0}};
        QCOMPARE(dataset.FieldCount(), static_cast<int>(expected.size()));
        for (int index = 0; index < dataset.FieldCount(); ++index) {
            const auto& [name, type, size] = expected[static_cast<std::size_t>(index)];
            const Db::TField* field = dataset.Fields(index);
            QCOMPARE(field->FieldName(), name);
            QCOMPARE(field->DataType(), type);
            if (type == Db::TFieldType::ftString) {
                QCOMPARE(field->Size(), size);
            }
        }
    }

    void printedReservationKeepsTheRecordOrder() {
        Reservas::StoredReservation reservation;
        reservation.NMRESMESA = FromQString(QString::fromUtf8("Ana \"Conceição\"\\"));
        reservation.DTRESMESA = QDate(2026, 12, 24);
        const QByteArray json = Reservas::ReservationJson(reservation);

        Dbclient::TClientDataSet dataset;
        Reservas::DefineReservationFields(dataset);
        dataset.CreateDataSet();
        QStringList fields;
        for (int index = 0; index < dataset.FieldCount(); ++index) {
            fields << ToQString(dataset.Fields(index)->FieldName());
        }
        QStringList keys;
        for (const QRegularExpressionMatch& key :
             QRegularExpression(QStringLiteral("\"([A-Z]+)\":")).globalMatch(json)) {
            keys << key.captured(1);
        }
        QCOMPARE(keys, fields);
        const QJsonObject parsed = QJsonDocument::fromJson(json).object();
        QCOMPARE(parsed.value(QStringLiteral("NMRESMESA")).toString(),
                 QString::fromUtf8("Ana \"Conceição\"\\"));
        QCOMPARE(parsed.value(QStringLiteral("DTRESMESA")).toString(),
                 QStringLiteral("2026-12-24"));
    }

    void storedReservationLoadsAsTheCurrentRecord() {
        HandOff handOff;
        handOff.HrIni = "930";
        handOff.Nome = "Jo\xE3o";
        handOff.Run(nullptr);
        handOff.Run(nullptr);

        Dbclient::TClientDataSet dataset;
        Reservas::DefineReservationFields(dataset);
        dataset.CreateDataSet();
        QVERIFY(Reservas::LoadReservation("2", dataset));
        QCOMPARE(dataset.RecordCount(), 1);
        QCOMPARE(dataset.FieldByName("NRRESMESA")->AsString(), AnsiString("2"));
        QCOMPARE(dataset.FieldByName("DTRESMESA")->AsDateTime(),
                 Sysutils::EncodeDateTime(QDate(2026, 12, 7)));
        QCOMPARE(dataset.FieldByName("HRINIRESMESA")->AsString(), AnsiString("0930"));
        QCOMPARE(dataset.FieldByName("HRFINRESMESA")->AsString(), AnsiString("2130"));
        QCOMPARE(dataset.FieldByName("NMRESMESA")->AsString(), AnsiString("Jo\xE3o"));
        QCOMPARE(dataset.FieldByName("NRTELRESMESA")->AsString(), AnsiString("1133334444"));
        QCOMPARE(dataset.FieldByName("NRPESRESMESA")->AsString(), AnsiString("4"));
        QCOMPARE(dataset.FieldByName("DSRESMESA")->AsString(), AnsiString("Aniversario"));
        QCOMPARE(dataset.FieldByName("IDSTRESMESA")->AsString(), AnsiString("P"));
        QCOMPARE(dataset.FieldByName("DTHRINCLURES")->AsDateTime(),
                 Sysutils::EncodeDateTime(QDate(2026, 12, 1)));

        QVERIFY(!Reservas::LoadReservation("3", dataset));
        QVERIFY(!Reservas::LoadReservation("abc", dataset));
        QVERIFY(!Reservas::LoadReservation("", dataset));
        QCOMPARE(dataset.RecordCount(), 1);
    }

    void loadedReservationEditsThroughTheHandOff() {
        HandOff().Run(nullptr);
        Dbclient::TClientDataSet dataset;
        Reservas::DefineReservationFields(dataset);
        dataset.CreateDataSet();
        QVERIFY(Reservas::LoadReservation("1", dataset));

        HandOff edit;
        edit.Tipo = 2;
        edit.Pessoas = "8";
        edit.Run(&dataset);
        QCOMPARE(Reservas::FindReservation("1")->NRPESRESMESA, AnsiString("8"));
        QVERIFY(!Reservas::FindReservation("2"));
    }
};

QTEST_MAIN(DatasetTest)

#include "test_dataset.moc"
