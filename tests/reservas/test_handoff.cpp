#include "../support/parametersfile.h"
#include "framework/data/db.h"
#include "framework/data/dbclient.h"
#include "framework/screen.h"
#include "hostlib/parameters.h"
#include "hostlib/pergunta.h"
#include "otherterminal.h"
#include "reservas/reservas.h"
#include "reservas/store.h"
#include "reservationprinter.h"
#include "storefixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <utility>

using Reservas::FindReservation;
using Reservas::StoredReservation;

namespace {

const QDateTime firstOfDecember(QDate(2026, 12, 1), QTime(10, 0));

StoredReservation expectedNewReservation() {
    StoredReservation expected;
    expected.DSRESMESA = "Aniversario";
    expected.NRRESMESA = "1";
    expected.CDFILIAL = "0001";
    expected.CDLOJA = "12";
    expected.DTRESMESA = QDate(2026, 12, 7);
    expected.HRINIRESMESA = "1930";
    expected.HRFINRESMESA = "2130";
    expected.NMRESMESA = "Maria Souza";
    expected.NRTELRESMESA = "1133334444";
    expected.NRPESRESMESA = "4";
    expected.IDSTRESMESA = "P";
    expected.CDOPERINCRES = "OPER01";
    expected.DTHRINCLURES = firstOfDecember;
    return expected;
}

QByteArray fileContents(const QString& file) {
    QFile opened(file);
    return opened.open(QIODevice::ReadOnly) ? opened.readAll() : QByteArray();
}

// The parameters file beside the running program, where the terminal keeps it.
QString parametersFile() {
    return QDir(QCoreApplication::applicationDirPath()).filePath("PARAMETROSQUOR.CDS");
}

// A parameters file's bytes, with value in field.
QByteArray parametersWith(const char* field, const AnsiString& value) {
    const QTemporaryDir folder;
    WriteParametersFile(folder.filePath("parameters.cds"), field, value);
    return fileContents(folder.filePath("parameters.cds"));
}

} // namespace

class HandOffTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> store_;

    // Nothing reached the database, the observer or the operator.
    void verifyNothingStored() {
        QVERIFY(store_->Stored.empty());
        QVERIFY(store_->Messages.empty());
        // A database never written to has no reservations to find, and says so.
        std::optional<Reservas::StoredReservation> found;
        RaisedBy([&found] { found = FindReservation("1"); });
        QVERIFY(!found);
    }

private slots:
    void init() {
        SKIP_WITHOUT_SERVER();
        store_ = std::make_unique<StoreFixture>(firstOfDecember);
        ForgetParametersFile();
    }
    void cleanup() {
        store_.reset();
        QFile::remove(parametersFile());
    }

    void newReservationIsStoredAndConfirmed() {
        Dbclient::TClientDataSet host;
        PrepareReservation(host, "", "0001", "12", "OPER01");
        HandOff().Run(&host);

        QCOMPARE(store_->Stored, std::vector<AnsiString>{"1"});
        QCOMPARE(FindReservation("1"), std::optional(expectedNewReservation()));
        QCOMPARE(store_->Messages.size(), 1u);
        const MensagemCall& shown = store_->Messages.front();
        QCOMPARE(shown.Text, AnsiString("Reserva 1 gravada com sucesso."));
        QCOMPARE(shown.Title, AnsiString());
        QCOMPARE(shown.Beep, AnsiString("N"));
        QCOMPARE(shown.CentreOnScreen, AnsiString("N"));
        QCOMPARE(shown.Kind, tmNotice);
        QCOMPARE(shown.Detail, AnsiString());
        QCOMPARE(shown.SchemeId, AnsiString());
        QCOMPARE(shown.AutoCloseSeconds, 0);
        QCOMPARE(shown.DataSet, nullptr);

        HandOff().Run(nullptr);
        QCOMPARE(store_->Stored, (std::vector<AnsiString>{"1", "2"}));
        QCOMPARE(FindReservation("2")->CDFILIAL, AnsiString());
        QCOMPARE(store_->Messages.back().Text, AnsiString("Reserva 2 gravada com sucesso."));
    }

    // The confirmation shows in the scheme the form shows its messages in; a parameters file the
    // package cannot read never stops a store.
    void confirmationFollowsTheDisplayScheme_data() {
        QTest::addColumn<QByteArray>("parameters");
        QTest::addColumn<QByteArray>("scheme");
        QTest::newRow("no parameters file") << QByteArray() << QByteArray();
        QTest::newRow("light") << parametersWith("IDESQUEMA", "2") << QByteArray("2");
        QTest::newRow("high contrast") << parametersWith("IDESQUEMA", "3") << QByteArray("3");
        QTest::newRow("no scheme field") << parametersWith("OUTRO", "2") << QByteArray();
        QTest::newRow("not a dataset") << QByteArray("\x96\x19\xE0\xBD\x01\x00") << QByteArray();
    }
    void confirmationFollowsTheDisplayScheme() {
        QFETCH(QByteArray, parameters);
        QFETCH(QByteArray, scheme);
        if (!parameters.isEmpty()) {
            QFile file(parametersFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(parameters);
        }
        HandOff().Run(nullptr);
        QCOMPARE(store_->Stored, std::vector<AnsiString>{"1"});
        QCOMPARE(store_->Messages.size(), 1u);
        QCOMPARE(store_->Messages.front().SchemeId, scheme.toStdString());
    }

    void enteredValuesAreNormalised_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("start hour below 10")
            << QByteArray("hrIni") << QByteArray("930") << QByteArray("0930");
        QTest::newRow("start rebuilt from a blank-led label")
            << QByteArray("hrIni") << QByteArray(" 930") << QByteArray("0930");
        QTest::newRow("end hour below 10")
            << QByteArray("hrFim") << QByteArray("945") << QByteArray("0945");
        QTest::newRow("telephone digits kept")
            << QByteArray("telefone") << QByteArray("(11) 3333-4444") << QByteArray("1133334444");
        QTest::newRow("partly typed telephone")
            << QByteArray("telefone") << QByteArray("119") << QByteArray("119");
        QTest::newRow("leading zero of people")
            << QByteArray("pessoas") << QByteArray("05") << QByteArray("5");
        QTest::newRow("blanks around the name")
            << QByteArray("nome") << QByteArray("  Ana  ") << QByteArray("Ana");
        QTest::newRow("Latin-1 name") << QByteArray("nome") << QByteArray("Jo\xE3o Concei\xE7\xE3o")
                                      << QByteArray("Jo\xE3o Concei\xE7\xE3o");
        QTest::newRow("empty description")
            << QByteArray("descricao") << QByteArray() << QByteArray();
    }
    void enteredValuesAreNormalised() {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, given);
        QFETCH(QByteArray, stored);
        HandOff handOff;
        std::map<QByteArray, AnsiString*> arguments{
            {"hrIni", &handOff.HrIni},       {"hrFim", &handOff.HrFim},
            {"telefone", &handOff.Telefone}, {"pessoas", &handOff.Pessoas},
            {"nome", &handOff.Nome},         {"descricao", &handOff.Descricao}};
        // Early enough that an end at a quarter to ten still comes after it.
        handOff.HrIni = "0800";
        *arguments.at(field) = given.toStdString();
        handOff.Run(nullptr);

        const std::optional<StoredReservation> found = FindReservation("1");
        QVERIFY(found);
        std::map<QByteArray, AnsiString> columns{
            {"hrIni", found->HRINIRESMESA},    {"hrFim", found->HRFINRESMESA},
            {"telefone", found->NRTELRESMESA}, {"pessoas", found->NRPESRESMESA},
            {"nome", found->NMRESMESA},        {"descricao", found->DSRESMESA}};
        QCOMPARE(columns.at(field), stored.toStdString());
    }

    void dateIsReadFromTheShownText_data() {
        QTest::addColumn<QByteArray>("shown");
        QTest::addColumn<QByteArray>("digits");
        QTest::addColumn<QDate>("date");
        QTest::newRow("four-digit year")
            << QByteArray("07/12/2026") << QByteArray("07122026") << QDate(2026, 12, 7);
        QTest::newRow("two-digit year")
            << QByteArray("07/12/26") << QByteArray("071226") << QDate(2026, 12, 7);
        QTest::newRow("day and month only")
            << QByteArray("24/12") << QByteArray("2412") << QDate(2026, 12, 24);
        QTest::newRow("picked, no digits")
            << QByteArray("15/01/2027") << QByteArray() << QDate(2027, 1, 15);
        QTest::newRow("digits of another road are not read")
            << QByteArray("08/12/2026") << QByteArray("01012030") << QDate(2026, 12, 8);
    }
    void dateIsReadFromTheShownText() {
        QFETCH(QByteArray, shown);
        QFETCH(QByteArray, digits);
        QFETCH(QDate, date);
        HandOff handOff;
        handOff.Data = shown.toStdString();
        handOff.DataDigitos = digits.toStdString();
        handOff.Run(nullptr);
        QCOMPARE(FindReservation("1")->DTRESMESA, date);
    }

    void editReplacesTheEnteredValuesOnly() {
        Dbclient::TClientDataSet host;
        PrepareReservation(host, "", "0001", "12", "OPER01");
        HandOff().Run(&host);
        HandOff().Run(&host);

        store_->SetNow(QDateTime(QDate(2026, 12, 3), QTime(9, 0)));
        Dbclient::TClientDataSet edited;
        PrepareReservation(edited, " 1", "9999", "99", "OUTRO");
        HandOff edit;
        edit.Tipo = 2;
        edit.HrIni = "1200";
        edit.HrFim = "1400";
        edit.Telefone = "2155556666";
        edit.DataDigitos = "";
        edit.Data = "24/12/2026";
        edit.Nome = "Maria S. Lima";
        edit.Descricao = "Mesa na varanda";
        edit.Pessoas = "12";
        edit.Run(&edited);

        StoredReservation expected = expectedNewReservation();
        expected.DTRESMESA = QDate(2026, 12, 24);
        expected.HRINIRESMESA = "1200";
        expected.HRFINRESMESA = "1400";
        expected.NRTELRESMESA = "2155556666";
        expected.NMRESMESA = "Maria S. Lima";
        expected.DSRESMESA = "Mesa na varanda";
        expected.NRPESRESMESA = "12";
        QCOMPARE(FindReservation("1"), std::optional(expected));
        StoredReservation untouched = expectedNewReservation();
        untouched.NRRESMESA = "2";
        QCOMPARE(FindReservation("2"), std::optional(untouched));
        QVERIFY(!FindReservation("3"));
        QCOMPARE(store_->Stored, (std::vector<AnsiString>{"1", "2", "1"}));
        QCOMPARE(store_->Messages.back().Text, AnsiString("Reserva 1 gravada com sucesso."));
    }

    // Reservations 1 (19:30 to 21:30, then given firstStatus) and 2 (10:00 to 11:00) of the
    // telephone are stored, then one at when (day, start, end), new or an edit of editing.
    // Another pending or used one at an overlapping time is asked about before the grid, by the
    // earliest start: "Não" stores nothing, as going back from the grid does, "Sim" stores.
    void aSecondReservationOfTheTelephoneIsAskedFirst_data() {
        for (const char* column : {"when", "telephone", "firstStatus", "editing", "asked"}) {
            QTest::addColumn<QByteArray>(column);
        }
        const auto row = [](const char* name, std::initializer_list<const char*> values) {
            QTestData& data = QTest::newRow(name);
            for (const char* value : values) {
                data << QByteArray(value);
            }
        };
        const char* phone = "1133334444";
        row("same times", {"07/12/2026 1930 2130", phone, "P", "", "19:30"});
        row("over both, the earliest said", {"07/12/2026 1000 2000", phone, "P", "", "10:00"});
        row("ending as it starts", {"07/12/2026 1700 1930", phone, "P", "", ""});
        row("another day", {"08/12/2026 1930 2130", phone, "P", "", ""});
        row("no telephone", {"07/12/2026 1930 2130", "", "P", "", ""});
        row("cancelled", {"07/12/2026 1930 2130", phone, "C", "", ""});
        row("no-show", {"07/12/2026 1930 2130", phone, "N", "", ""});
        row("guest came", {"07/12/2026 1930 2130", phone, "U", "", "19:30"});
        row("an edit of itself", {"07/12/2026 2000 2200", phone, "P", "1", ""});
        row("an edit meets another", {"07/12/2026 1900 2000", phone, "P", "2", "19:30"});
    }
    void aSecondReservationOfTheTelephoneIsAskedFirst() {
        QFETCH(QByteArray, telephone);
        QFETCH(QByteArray, firstStatus);
        QFETCH(QByteArray, editing);
        QFETCH(QByteArray, asked);
        HandOff reservation;
        reservation.Telefone = telephone.toStdString();
        for (const auto& [from, to] : {std::pair("1930", "2130"), std::pair("1000", "1100")}) {
            reservation.HrIni = from;
            reservation.HrFim = to;
            reservation.Run(nullptr);
        }
        QVERIFY(OtherTerminal(Reservas::DatabaseLocationText())
                    .Run("UPDATE RESERVAMESA SET IDSTRESMESA = '" + firstStatus +
                         "' WHERE NRRESMESA = 1"));
        Dbclient::TClientDataSet edited;
        PrepareReservation(edited, editing.toStdString(), "0001", "12", "OPER01");
        reservation.Tipo = editing.isEmpty() ? NewReservation : EditReservation;
        QFETCH(QByteArray, when);
        const QList<QByteArray> dayStartEnd = when.split(' ');
        reservation.Data = dayStartEnd[0].toStdString();
        reservation.HrIni = dayStartEnd[1].toStdString();
        reservation.HrFim = dayStartEnd[2].toStdString();
        const std::optional<StoredReservation> second = FindReservation("2");
        store_->Answer = false;
        const std::optional<AnsiString> refused = RaisedBy([&] { reservation.Run(&edited); });
        if (!asked.isEmpty()) {
            QCOMPARE(store_->Questions,
                     std::vector<AnsiString>{("J\xE1 existe uma reserva para este telefone \xE0s " +
                                              asked + ". Gravar mesmo assim?")
                                                 .toStdString()});
            QCOMPARE(refused, std::optional(AnsiString()));
            QCOMPARE(store_->Choices.size(), std::size_t(2));
            QCOMPARE(FindReservation("2"), second);
            QVERIFY(!FindReservation("3"));
            store_->Answer = true;
            reservation.Run(&edited);
        }
        QCOMPARE(store_->Questions.size(), std::size_t(asked.isEmpty() ? 0 : 2));
        QCOMPARE(store_->Stored.back(),
                 editing.isEmpty() ? AnsiString("3") : editing.toStdString());
    }

    // A longer name or description than the screen holds, stored by another writer, comes back
    // cut on the screen: stored again untouched, it stays whole.
    void anEditKeepsWhatTheScreenCouldNotHold() {
        HandOff().Run(nullptr);
        const QString name = QString(50, QLatin1Char('n')) + QStringLiteral("Sobrenome Longo");
        const QString description = QString(30, QLatin1Char('d')) + QStringLiteral("e mais");
        QVERIFY(OtherTerminal(Reservas::DatabaseLocationText())
                    .Run(QStringLiteral("UPDATE RESERVAMESA SET NMRESMESA = '%1', DSRESMESA = '%2'")
                             .arg(name, description)));
        Dbclient::TClientDataSet edited;
        Reservas::DefineReservationFields(edited);
        edited.CreateDataSet();
        QVERIFY(Reservas::LoadReservation("1", edited));
        HandOff edit;
        edit.Tipo = 2;
        edit.Nome = FromQString(name.left(50));
        edit.Descricao = FromQString(description.left(30));
        edit.Pessoas = "6";
        edit.Run(&edited);
        const std::optional<StoredReservation> stored = FindReservation("1");
        QCOMPARE(ToQString(stored->NMRESMESA), name);
        QCOMPARE(ToQString(stored->DSRESMESA), description);
        QCOMPARE(stored->NRPESRESMESA, AnsiString("6"));
    }

    void editWithoutAStoredNumberRaises_data() {
        QTest::addColumn<QByteArray>("nrresmesa");
        QTest::addColumn<bool>("withDataset");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("unknown number")
            << QByteArray("42") << true
            << QByteArray("A reserva 42 n\xE3o existe e n\xE3o pode ser alterada.");
        QTest::newRow("empty number")
            << QByteArray("") << true << QByteArray("A reserva a alterar n\xE3o tem n\xFAmero.");
        QTest::newRow("no dataset")
            << QByteArray() << false << QByteArray("A reserva a alterar n\xE3o tem n\xFAmero.");
    }
    void editWithoutAStoredNumberRaises() {
        QFETCH(QByteArray, nrresmesa);
        QFETCH(bool, withDataset);
        QFETCH(QByteArray, message);
        Dbclient::TClientDataSet host;
        PrepareReservation(host, nrresmesa.toStdString(), "0001", "12", "OPER01");
        HandOff edit;
        edit.Tipo = 2;
        QCOMPARE(RaisedBy([&] { edit.Run(withDataset ? &host : nullptr); }),
                 std::optional(message.toStdString()));
        verifyNothingStored();
    }

    void badDataRaiseAndStoreNothing_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("given");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("impossible date")
            << QByteArray("data") << QByteArray("31/02/2026")
            << QByteArray("\"31/02/2026\" n\xE3o \xE9 uma data de reserva v\xE1lida.");
        QTest::newRow("date and time of day")
            << QByteArray("data") << QByteArray("07/12/2026 19:30")
            << QByteArray("\"07/12/2026 19:30\" n\xE3o \xE9 uma data de reserva v\xE1lida.");
        QTest::newRow("no date") << QByteArray("data") << QByteArray()
                                 << QByteArray("Data da reserva n\xE3o informada.");
        QTest::newRow("start hour 25")
            << QByteArray("hrIni") << QByteArray("2500")
            << QByteArray("\"2500\" n\xE3o \xE9 um hor\xE1rio inicial v\xE1lido.");
        QTest::newRow("end minute 60")
            << QByteArray("hrFim") << QByteArray("1260")
            << QByteArray("\"1260\" n\xE3o \xE9 um hor\xE1rio final v\xE1lido.");
        QTest::newRow("blank name") << QByteArray("nome") << QByteArray("   ")
                                    << QByteArray("Nome da reserva n\xE3o informado.");
        QTest::newRow("name too long") << QByteArray("nome") << QByteArray(51, 'a')
                                       << QByteArray("Nome da reserva com mais de 50 caracteres.");
        QTest::newRow("people not a number")
            << QByteArray("pessoas") << QByteArray("4a")
            << QByteArray("\"4a\" n\xE3o \xE9 um n\xFAmero de pessoas v\xE1lido.");
        QTest::newRow("end before start")
            << QByteArray("hrFim") << QByteArray("1900")
            << QByteArray("A hora final 1900 n\xE3o \xE9 posterior \xE0 hora inicial 1930: a "
                          "reserva termina no dia em que come\xE7"
                          "a.");
        QTest::newRow("zero people")
            << QByteArray("pessoas") << QByteArray("000")
            << QByteArray("\"000\" n\xE3o \xE9 um n\xFAmero de pessoas v\xE1lido.");
    }
    void badDataRaiseAndStoreNothing() {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, given);
        QFETCH(QByteArray, message);
        HandOff handOff;
        std::map<QByteArray, AnsiString*> arguments{{"data", &handOff.Data},
                                                    {"hrIni", &handOff.HrIni},
                                                    {"hrFim", &handOff.HrFim},
                                                    {"nome", &handOff.Nome},
                                                    {"pessoas", &handOff.Pessoas}};
        *arguments.at(field) = given.toStdString();
        QCOMPARE(RaisedBy([&] { handOff.Run(nullptr); }), std::optional(message.toStdString()));
        verifyNothingStored();
    }

    // The files are named within the test's folder, which the messages quote as %1. Storing
    // says message, reading readMessage.
    void databaseThatCannotBeOpenedRaises_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("readMessage");
        QTest::newRow("folder blocked by a file")
            << "blocker/sub/reservas.db"
            << "N\u00E3o foi poss\u00EDvel criar a pasta %1/blocker/sub do banco de reservas."
            << "O banco de reservas %1/blocker/sub/reservas.db n\u00E3o existe.";
        for (const char* special : {"folder", "pipe"}) {
            const QString refused = QStringLiteral("O banco de reservas %1/") +
                                    QLatin1String(special) +
                                    QStringLiteral(" n\u00E3o \u00E9 um arquivo comum");
            QTest::newRow(special) << special << refused << refused;
        }
        QTest::newRow("not a database")
            << "garbage.db"
            << "N\u00E3o foi poss\u00EDvel abrir o banco de reservas %1/garbage.db."
            << "N\u00E3o foi poss\u00EDvel abrir o banco de reservas %1/garbage.db.";
    }
    void databaseThatCannotBeOpenedRaises() {
        SKIP_ON_SERVER("can be a folder or another kind of file");
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(QString, readMessage);
        message = message.arg(store_->Folder.path());
        readMessage = readMessage.arg(store_->Folder.path());
        QFile blocker(store_->Folder.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(QDir(store_->Folder.path()).mkdir("folder"));
        QCOMPARE(::mkfifo(QFile::encodeName(store_->Folder.filePath("pipe")).constData(), 0600), 0);
        QFile garbage(store_->Folder.filePath("garbage.db"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        Reservas::SetDatabaseLocation(store_->Folder.filePath(file));

        const std::optional<AnsiString> raised = RaisedBy([] { HandOff().Run(nullptr); });
        QVERIFY(raised);
        QVERIFY2(ToQString(*raised).startsWith(message), raised->c_str());
        QVERIFY(store_->Stored.empty());
        QVERIFY(store_->Messages.empty());
        const std::optional<AnsiString> read = RaisedBy([] { FindReservation("1"); });
        QVERIFY(read);
        QVERIFY2(ToQString(*read).startsWith(readMessage), read->c_str());
    }

    // Reading leaves the file as it found it: a missing file is not created, a file without the
    // reservations is not given their table.
    void readingNeverCreatesTheStore_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << false << "O banco de reservas %1 n\u00E3o existe.";
        QTest::newRow("file without the reservations")
            << true << "O banco de reservas %1 n\u00E3o cont\u00E9m a tabela de reservas.";
    }
    void readingNeverCreatesTheStore() {
        SKIP_ON_SERVER("is made by the program");
        QFETCH(bool, exists);
        QFETCH(QString, message);
        const QString file = store_->Folder.filePath("other.db");
        Reservas::SetDatabaseLocation(file);
        if (exists) {
            QVERIFY(OtherTerminal(file).Run("CREATE TABLE OUTRA (CDOUTRA TEXT)"));
        }
        const QByteArray before = fileContents(file);
        const std::optional<AnsiString> expected = FromQString(message.arg(file));

        QCOMPARE(RaisedBy([] { FindReservation("1"); }), expected);
        Dbclient::TClientDataSet dataset;
        Reservas::DefineReservationFields(dataset);
        dataset.CreateDataSet();
        QCOMPARE(RaisedBy([&] { Reservas::LoadReservation("1", dataset); }), expected);
        QCOMPARE(QFileInfo::exists(file), exists);
        QCOMPARE(fileContents(file), before);
    }

    // Two terminals edit reservation 1; the other one stores first. This edit is refused, the
    // operator is shown what changed and chooses: go back (asked again on the next try) or go
    // on from the stored values (the next try stores). A cancel meanwhile refuses the edit.
    void anEditStoresOnlyOverWhatItRead_data() {
        QTest::addColumn<QString>("otherTerminal");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("changed") << QStringLiteral("UPDATE RESERVAMESA SET HRFINRESMESA = '2300', "
                                                   "NRPESRESMESA = '6' WHERE NRRESMESA = 1")
                                 << QString();
        QTest::newRow("cancelled")
            << QStringLiteral("UPDATE RESERVAMESA SET IDSTRESMESA = 'C' WHERE NRRESMESA = 1")
            << QStringLiteral("A reserva 1 est\u00E1 cancelada e n\u00E3o pode ser alterada.");
    }
    void anEditStoresOnlyOverWhatItRead() {
        QFETCH(QString, otherTerminal);
        QFETCH(QString, refusal);
        store_->Picks = {std::vector<int>{}};
        HandOff().Run(nullptr);
        Dbclient::TClientDataSet edited;
        Reservas::DefineReservationFields(edited);
        edited.CreateDataSet();
        QVERIFY(Reservas::LoadReservation("1", edited));
        QVERIFY(OtherTerminal(Reservas::DatabaseLocationText()).Run(otherTerminal));
        const std::optional<StoredReservation> theirs = FindReservation("1");

        std::vector<AnsiString> asked;
        bool goOn = false;
        SetPerguntaObserver([&](const AnsiString& text) {
            asked.push_back(text);
            return std::optional(goOn);
        });
        HandOff edit;
        edit.Tipo = EditReservation;
        edit.Descricao = "Mesa na varanda";
        const std::optional<AnsiString> raised = RaisedBy([&] { edit.Run(&edited); });
        QCOMPARE(FindReservation("1"), theirs);
        QCOMPARE(store_->Stored, std::vector<AnsiString>{"1"});
        if (!refusal.isEmpty()) {
            SetPerguntaObserver({});
            QCOMPARE(raised, std::optional(FromQString(refusal)));
            QVERIFY(asked.empty());
            QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).front().Mesas,
                     std::vector<int>{});
            return;
        }
        QCOMPARE(asked.size(), std::size_t(1));
        for (const char* change :
             {"Hr. Final de \"21:30\" para \"23:00\"", "Pessoas de \"4\" para \"6\""}) {
            QVERIFY2(ToQString(asked[0]).contains(QLatin1String(change)), asked[0].c_str());
        }
        QVERIFY(!ToQString(asked[0]).contains(QLatin1String("Nome")));
        RaisedBy([&] { edit.Run(&edited); });
        QCOMPARE(asked.size(), std::size_t(2));
        QCOMPARE(FindReservation("1"), theirs);

        goOn = true;
        RaisedBy([&] { edit.Run(&edited); });
        QCOMPARE(FindReservation("1"), theirs);
        store_->Picks = {std::vector<int>{}};
        QCOMPARE(RaisedBy([&] { edit.Run(&edited); }), std::nullopt);
        SetPerguntaObserver({});
        QCOMPARE(asked.size(), std::size_t(3));
        QCOMPARE(FindReservation("1")->DSRESMESA, AnsiString("Mesa na varanda"));
        QCOMPARE(FindReservation("1")->HRFINRESMESA, AnsiString("2130"));
        QCOMPARE(store_->Stored, (std::vector<AnsiString>{"1", "1"}));
    }

    // A hand-off whose storing went through though its answer was lost is tried again: the
    // store finds it by the entry's identity, stores nothing more and says which it was; the
    // earlier try is no other reservation of the telephone to ask about.
    void aRetriedHandOffStoresOnce() {
        store_->Picks = {std::vector<int>{4}, std::vector<int>{5}};
        Dbclient::TClientDataSet entry;
        const QString identity = QStringLiteral("6f1c2a52-0d4e-4d8e-9a51-3f0e6b7d2c11");
        entry.setProperty("reservas.identidadeEntrega", identity);
        {
            const OtherTerminal earlier(Reservas::DatabaseLocationText());
            Reservas::PrepareDatabase();
            QVERIFY(earlier.Run(
                QStringLiteral(
                    "INSERT INTO RESERVAMESA (NMRESMESA, NRTELRESMESA, DTRESMESA, HRINIRESMESA, "
                    "HRFINRESMESA, IDSTRESMESA, IDENTREGA) VALUES ('Maria Souza', '1133334444', "
                    "'2026-12-07', '1930', '2130', 'P', '%1')")
                    .arg(identity)));
            QVERIFY(earlier.Run("INSERT INTO MESARESERVADA VALUES (1, 4, '2026-12-07', '1930', "
                                "'2130')"));
        }
        HandOff().Run(&entry);
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(1));
        QCOMPARE(store_->Stored, std::vector<AnsiString>{"1"});
        QCOMPARE(store_->Messages.back().Text,
                 FromQString(QStringLiteral("Reserva 1 j\u00E1 estava gravada, com as mesas 4: "
                                            "esta tentativa n\u00E3o gravou outra.")));
        QVERIFY(store_->Questions.empty());
        // Stored: the same dataset's next hand-off is another entry.
        HandOff().Run(&entry);
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(2));
        QCOMPARE(store_->Questions.size(), std::size_t(1));
    }

    // Another terminal holds a write transaction: after a short wait the operator is told, with
    // the cursor as it was, and a retry once the other terminal is done stores once.
    void busyDatabaseIsToldAndARetryStoresOnce() {
        HandOff().Run(nullptr);
        const OtherTerminal other(Reservas::DatabaseLocationText());
        if (TestDatabase::OnServer()) {
            QVERIFY(other.Run("BEGIN"));
            QVERIFY(other.Run("LOCK TABLE RESERVAMESA IN EXCLUSIVE MODE"));
        } else {
            QVERIFY(other.Run("BEGIN IMMEDIATE"));
        }
        HandOff retried;
        retried.Nome = "Ana Lima";

        QCOMPARE(RaisedBy([&] { retried.Run(nullptr); }),
                 std::optional<AnsiString>("As reservas est\xE3o em uso por outro terminal. "
                                           "Aguarde um instante e tente novamente."));
        QCOMPARE(Forms::Screen->Cursor(), Forms::crDefault);
        QCOMPARE(store_->Stored, std::vector<AnsiString>{"1"});

        QVERIFY(other.Run("COMMIT"));
        retried.Run(nullptr);
        QCOMPARE(store_->Stored, (std::vector<AnsiString>{"1", "2"}));
        QCOMPARE(FindReservation("2")->NMRESMESA, AnsiString("Ana Lima"));
        QVERIFY(!FindReservation("3"));
        QCOMPARE(Forms::Screen->Cursor(), Forms::crDefault);
    }

    void defaultDatabaseLivesInTheUserDataFolder() {
        SKIP_ON_SERVER("has a default place");
        Reservas::SetDatabaseLocation({});
        QCOMPARE(Reservas::DatabaseLocationText(),
                 QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                     .filePath("reservas.db"));
        const QString chosen = store_->Folder.filePath("new/folder/reservas.db");
        Reservas::SetDatabaseLocation(chosen);
        QCOMPARE(Reservas::DatabaseLocationText(), chosen);
        // Names and telephones are the user's alone, whatever the umask.
        const mode_t umaskBefore = ::umask(0);
        HandOff().Run(nullptr);
        ::umask(umaskBefore);
        QVERIFY(QFileInfo(chosen).isFile());
        const auto userOnly =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QCOMPARE(QFile::permissions(chosen), userOnly);
        for (const char* folder : {"new", "new/folder"}) {
            QCOMPARE(QFile::permissions(store_->Folder.filePath(folder)),
                     userOnly | QFile::ExeOwner | QFile::ExeUser);
        }
    }

    // A writer killed in the middle of its commit leaves a hot journal: the next reading rolls
    // it back and shows the last committed state, rather than failing until someone writes.
    void aWriterKilledMidCommitIsRolledBackByTheNextReading() {
        SKIP_ON_SERVER("keeps a journal beside the file");
        HandOff().Run(nullptr);
        const QString file = Reservas::DatabaseLocationText();
        QProcess writer;
        writer.start(QStringLiteral("sqlite3"), {file});
        QVERIFY2(writer.waitForStarted(), "sqlite3 is missing");
        // A cache of a page or two makes the transaction write into the file before it ends.
        writer.write(
            "PRAGMA cache_size = 2;\n"
            "BEGIN;\n"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)\n"
            "INSERT INTO RESERVAMESA (NMRESMESA, DTRESMESA, HRINIRESMESA, HRFINRESMESA,\n"
            "IDSTRESMESA) SELECT printf('%0400d', i), '2026-12-07', '1000', '1100', 'P'\n"
            "FROM n;\n"
            ".system kill -9 $PPID\n");
        writer.closeWriteChannel();
        QVERIFY(writer.waitForFinished(30000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFileInfo::exists(file + QStringLiteral("-journal")));

        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(1));
        QVERIFY(!QFileInfo::exists(file + QStringLiteral("-journal")));
        HandOff().Run(nullptr);
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(2));
    }
};

QTEST_MAIN(HandOffTest)

#include "test_handoff.moc"
