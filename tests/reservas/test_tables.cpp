#include "framework/data/dbclient.h"
#include "otherterminal.h"
#include "reservas/hooks.h"
#include "reservationprinter.h"
#include "storefixture.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>

using Reservas::MarkResult;
using Reservas::RestaurantTable;
using Reservas::ServiceMark;
using Tables = std::vector<int>;

namespace {

const QDateTime firstOfDecember(QDate(2026, 12, 1), QTime(10, 0));

bool holds(const Tables& tables, int mesa) {
    return std::find(tables.begin(), tables.end(), mesa) != tables.end();
}

HandOff at(const char* data, const char* hrIni, const char* hrFim) {
    HandOff handOff;
    handOff.Data = data;
    handOff.HrIni = hrIni;
    handOff.HrFim = hrFim;
    return handOff;
}

// Hands an edit of the stored reservation nrresmesa to the package.
void edit(HandOff handOff, const AnsiString& nrresmesa) {
    Dbclient::TClientDataSet reserva;
    PrepareReservation(reserva, nrresmesa, "0001", "12", "OPER01");
    handOff.Tipo = 2;
    handOff.Run(&reserva);
}

QByteArray fileContents(const QString& file) {
    QFile opened(file);
    return opened.open(QIODevice::ReadOnly) ? opened.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(HandOff)
Q_DECLARE_METATYPE(std::vector<RestaurantTable>)
Q_DECLARE_METATYPE(std::vector<ServiceMark>)
Q_DECLARE_METATYPE(std::vector<MarkResult>)
Q_DECLARE_METATYPE(Reservas::GuestRecord)

class TablesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> store_;

private slots:
    void init() {
        SKIP_WITHOUT_SERVER();
        store_ = std::make_unique<StoreFixture>(firstOfDecember);
    }
    void cleanup() { store_.reset(); }

    void aTableHeldAtAnOverlappingTimeIsTaken_data() {
        QTest::addColumn<HandOff>("second");
        QTest::addColumn<bool>("firstCancelled");
        QTest::addColumn<bool>("taken");
        QTest::newRow("same times") << at("07/12/2026", "1930", "2130") << false << true;
        QTest::newRow("starting inside") << at("07/12/2026", "2100", "2300") << false << true;
        QTest::newRow("ending inside") << at("07/12/2026", "1800", "2000") << false << true;
        QTest::newRow("around it") << at("07/12/2026", "1800", "2300") << false << true;
        QTest::newRow("ending as it starts") << at("07/12/2026", "1700", "1930") << false << false;
        QTest::newRow("starting as it ends") << at("07/12/2026", "2130", "2300") << false << false;
        QTest::newRow("another day") << at("08/12/2026", "1930", "2130") << false << false;
        QTest::newRow("first cancelled") << at("07/12/2026", "1930", "2130") << true << false;
    }
    void aTableHeldAtAnOverlappingTimeIsTaken() {
        QFETCH(HandOff, second);
        QFETCH(bool, firstCancelled);
        QFETCH(bool, taken);
        store_->Picks = {Tables{5}};
        HandOff().Run(nullptr);
        QCOMPARE(store_->Held, std::vector<Tables>{Tables{5}});
        if (firstCancelled) {
            QCOMPARE(Reservas::CancelReservation("1"), Reservas::CancelResult::Cancelled);
        }
        store_->Picks = {Tables{5}};
        second.Run(nullptr);
        QCOMPARE(holds(store_->Choices.back().Taken, 5), taken);
        using Until = std::vector<std::pair<int, AnsiString>>;
        const Until until = taken ? Until{{5, "2130"}} : Until();
        QCOMPARE(store_->Choices.back().TakenUntil, until);
        QCOMPARE(store_->Held.back(), taken ? Tables{} : Tables{5});
    }

    // Another terminal takes a picked table between the grid and the storing: the operator is
    // told, the grid comes back with it taken and the other picks kept, and nothing is lost.
    void aLostRaceIsToldAndTheGridComesBack() {
        bool raced = false;
        store_->BeforeStoring = [&raced] {
            if (!std::exchange(raced, true)) {
                const OtherTerminal other(Reservas::DatabaseLocationText());
                QVERIFY(other.Run("INSERT INTO RESERVAMESA (NMRESMESA, DTRESMESA, HRINIRESMESA, "
                                  "HRFINRESMESA, IDSTRESMESA) VALUES ('Outro terminal', "
                                  "'2026-12-07', '2000', '2200', 'P')"));
                QVERIFY(other.Run("INSERT INTO MESARESERVADA SELECT NRRESMESA, 5, '2026-12-07', "
                                  "'2000', '2200' FROM RESERVAMESA WHERE NMRESMESA = 'Outro "
                                  "terminal'"));
            }
        };
        store_->Picks = {Tables{5, 6}, Tables{6, 7}};
        HandOff().Run(nullptr);
        QCOMPARE(store_->Messages.size(), std::size_t(2));
        QVERIFY2(ToQString(store_->Messages[0].Text).contains(QLatin1String(" 5 ")),
                 store_->Messages[0].Text.c_str());
        QCOMPARE(store_->Choices.size(), std::size_t(2));
        QCOMPARE(store_->Choices[1].Taken, Tables{5});
        QCOMPARE(store_->Choices[1].Picked, Tables{6});
        QCOMPARE(store_->Stored, std::vector<AnsiString>{"2"});
        QCOMPARE(store_->Held, std::vector<Tables>{Tables({6, 7})});
    }

    // A cancelled reservation comes back only with tables free at its times (a table taken
    // since the grid opened brings the grid back), and only as this terminal saw it.
    void aCancelledReservationComesBackWithFreeTablesAsSeen() {
        using Reservas::ReactivateResult;
        store_->Picks = {Tables{5}, Tables{5}};
        HandOff().Run(nullptr);
        QCOMPARE(Reservas::CancelReservation("1"), Reservas::CancelResult::Cancelled);
        HandOff().Run(nullptr);
        const qlonglong cancelledAt = Reservas::ReservationsOfDay(QDate(2026, 12, 7))[0].Versao;

        store_->Picks = {std::nullopt};
        QCOMPARE(Reservas::BringBackReservation("1", cancelledAt), std::nullopt);
        store_->Picks = {Tables{5}, Tables{6}};
        QCOMPARE(Reservas::BringBackReservation("1", cancelledAt), ReactivateResult::Reactivated);
        QCOMPARE(store_->Choices.back().Taken, Tables{5});
        QVERIFY2(ToQString(store_->Messages.back().Text).contains(QLatin1String("mesas 6")),
                 store_->Messages.back().Text.c_str());
        const Reservas::DayReservation back = Reservas::ReservationsOfDay(QDate(2026, 12, 7))[0];
        QCOMPARE(back.Reservation.IDSTRESMESA, AnsiString("P"));
        QCOMPARE(back.Mesas, Tables{6});

        store_->Picks = {Tables{7}};
        QCOMPARE(Reservas::BringBackReservation("1", cancelledAt), ReactivateResult::NotCancelled);
        QCOMPARE(Reservas::CancelReservation("1"), Reservas::CancelResult::Cancelled);
        store_->Picks = {Tables{7}};
        QCOMPARE(Reservas::BringBackReservation("1", cancelledAt), ReactivateResult::Changed);
        QCOMPARE(Reservas::FindReservation("1")->IDSTRESMESA, AnsiString("C"));
        QCOMPARE(Reservas::BringBackReservation("9", 0), ReactivateResult::NotFound);
    }

    // Whoever writes, a terminal of an older version or someone at the database's prompt, the
    // database itself refuses a table held twice at overlapping times, and a table held by a
    // cancelled or missing reservation.
    void theDatabaseRefusesATableHeldTwice_data() {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("refused");
        const QString insert =
            QStringLiteral("INSERT INTO MESARESERVADA VALUES (2, %1, '%2', '%3', '%4')");
        QTest::newRow("overlapping") << insert.arg("5", "2026-12-07", "2100", "2300") << true;
        QTest::newRow("around it") << insert.arg("5", "2026-12-07", "1800", "2300") << true;
        QTest::newRow("starting as it ends")
            << insert.arg("5", "2026-12-07", "2130", "2300") << false;
        QTest::newRow("another table") << insert.arg("7", "2026-12-07", "1930", "2130") << false;
        QTest::newRow("another day") << insert.arg("5", "2026-12-08", "1930", "2130") << false;
        QTest::newRow("moved onto it")
            << QStringLiteral("UPDATE MESARESERVADA SET NRMESA = 5 WHERE NRRESMESA = 2") << true;
        QTest::newRow("held by a missing reservation")
            << QStringLiteral("INSERT INTO MESARESERVADA VALUES (99, 8, '2026-12-07', '1000', "
                              "'1100')")
            << true;
        QTest::newRow("held by a cancelled reservation")
            << QStringLiteral("INSERT INTO MESARESERVADA VALUES (3, 8, '2026-12-07', '1000', "
                              "'1100')")
            << true;
        QTest::newRow("cancelled while it holds a table")
            << QStringLiteral("UPDATE RESERVAMESA SET IDSTRESMESA = 'C' WHERE NRRESMESA = 2")
            << true;
        QTest::newRow("deleted while it holds a table")
            << QStringLiteral("DELETE FROM RESERVAMESA WHERE NRRESMESA = 2") << true;
        QTest::newRow("changed otherwise")
            << QStringLiteral("UPDATE RESERVAMESA SET NMRESMESA = 'Outro' WHERE NRRESMESA = 2")
            << false;
    }
    void theDatabaseRefusesATableHeldTwice() {
        QFETCH(QString, statement);
        QFETCH(bool, refused);
        store_->Picks = {Tables{5}, Tables{6}, Tables{}};
        HandOff().Run(nullptr);
        at("07/12/2026", "2000", "2100").Run(nullptr);
        at("07/12/2026", "1000", "1100").Run(nullptr);
        QCOMPARE(Reservas::CancelReservation("3"), Reservas::CancelResult::Cancelled);
        QCOMPARE(store_->Held, (std::vector<Tables>{{5}, {6}, {}}));
        QCOMPARE(OtherTerminal(Reservas::DatabaseLocationText()).Run(statement), !refused);
    }

    void anEditKeepsItsTablesUntilItsNewTimesTakeThem() {
        store_->Picks = {Tables{3, 4}};
        HandOff().Run(nullptr);
        Reservas::SetTablePicker([this](const Reservas::TableChoice& choice) {
            store_->Choices.push_back(choice);
            return std::optional(choice.Picked);
        });
        edit(HandOff(), "1");
        QCOMPARE(store_->Choices.back().Picked, Tables({3, 4}));
        QCOMPARE(store_->Held.back(), Tables({3, 4}));

        store_->Picks = {Tables{3}};
        Reservas::SetTablePicker([this](const Reservas::TableChoice& choice) {
            store_->Choices.push_back(choice);
            return std::optional(Tables{3});
        });
        at("07/12/2026", "2200", "2300").Run(nullptr);
        QCOMPARE(store_->Held.back(), Tables{3});

        Reservas::SetTablePicker([this](const Reservas::TableChoice& choice) {
            store_->Choices.push_back(choice);
            return std::optional(choice.Picked);
        });
        const std::size_t messages = store_->Messages.size();
        edit(at("07/12/2026", "1930", "2230"), "1");
        QCOMPARE(store_->Choices.back().Taken, Tables{3});
        QCOMPARE(store_->Choices.back().Picked, Tables{4});
        QCOMPARE(store_->Held.back(), Tables{4});
        QVERIFY(ToQString(store_->Messages.at(messages).Text).contains(QLatin1String(" 3 ")));
    }

    void goingBackFromTheGridStoresNothing() {
        store_->Picks = {std::nullopt};
        QVERIFY(RaisedBy([] { HandOff().Run(nullptr); }));
        QVERIFY(store_->Stored.empty());
        QVERIFY(!Reservas::FindReservation("1"));
    }

    // The picks of an entry outlive going back from the grid and a storing that failed, for that
    // entry alone: the grid opened again offers those still free at its times, now changed (one
    // taken meanwhile is said and dropped); once stored, the entry's next hand-off starts afresh.
    void anEntrysPicksOutliveGoingBackAndAFailedStore() {
        using Turn = std::function<std::optional<Tables>(const Reservas::TableChoice&)>;
        std::vector<Turn> turns;
        Reservas::SetTablePicker([this, &turns](const Reservas::TableChoice& choice) {
            store_->Choices.push_back(choice);
            const std::size_t turn = store_->Choices.size() - 1;
            return turn < turns.size() ? turns[turn](choice) : std::nullopt;
        });
        const auto goBackWith = [](Tables picks) {
            return [picks](const Reservas::TableChoice& choice) {
                choice.GoneBackWith(picks);
                return std::optional<Tables>();
            };
        };
        Reservas::PrepareDatabase();
        const OtherTerminal other(Reservas::DatabaseLocationText());
        // Another terminal's writing holds the database, so that the storing after this grid
        // fails.
        const auto holdTheDatabase = [&other](const Reservas::TableChoice&) {
            if (TestDatabase::OnServer()) {
                other.Run("BEGIN") && other.Run("LOCK TABLE RESERVAMESA IN EXCLUSIVE MODE");
            } else {
                other.Run("BEGIN IMMEDIATE");
            }
            return std::optional(Tables{4, 6});
        };
        turns = {goBackWith({4, 5, 6}), goBackWith({1}), holdTheDatabase,
                 [](const Reservas::TableChoice& choice) { return std::optional(choice.Picked); },
                 goBackWith({})};

        Dbclient::TClientDataSet entry;
        QVERIFY(RaisedBy([&] { HandOff().Run(&entry); }));
        Dbclient::TClientDataSet anotherEntry;
        QVERIFY(RaisedBy([&] { HandOff().Run(&anotherEntry); }));
        QVERIFY(other.Run("INSERT INTO RESERVAMESA (NMRESMESA, DTRESMESA, HRINIRESMESA, "
                          "HRFINRESMESA, IDSTRESMESA) VALUES ('Outro terminal', '2026-12-07', "
                          "'2200', '2300', 'P')"));
        QVERIFY(other.Run("INSERT INTO MESARESERVADA SELECT NRRESMESA, 5, '2026-12-07', '2200', "
                          "'2300' FROM RESERVAMESA WHERE NMRESMESA = 'Outro terminal'"));
        const HandOff later = at("07/12/2026", "2000", "2230");
        QVERIFY(RaisedBy([&] { later.Run(&entry); }));
        QVERIFY(other.Run("COMMIT"));
        later.Run(&entry);
        QVERIFY(RaisedBy([&] { later.Run(&entry); }));

        QVERIFY(ToQString(store_->Messages.at(0).Text).contains(QLatin1String(" 5 ")));
        QCOMPARE(store_->Choices.size(), std::size_t(5));
        QCOMPARE(store_->Choices[1].Picked, Tables());
        QCOMPARE(store_->Choices[2].Picked, Tables({4, 6}));
        QCOMPARE(store_->Choices[2].Taken, Tables{5});
        QCOMPARE(store_->Choices[3].Picked, Tables({4, 6}));
        QCOMPARE(store_->Choices[4].Picked, Tables());
        QCOMPARE(store_->Held, std::vector<Tables>{Tables({4, 6})});
    }

    void withoutTablesAReservationIsStoredAtOnce() {
        Reservas::PrepareDatabase();
        Reservas::SetRestaurantTables({});
        HandOff().Run(nullptr);
        edit(HandOff(), "1");
        QVERIFY(store_->Choices.empty());
        QCOMPARE(store_->Stored, (std::vector<AnsiString>{"1", "1"}));
        QCOMPARE(store_->Held, (std::vector<Tables>{{}, {}}));
    }

    void tableListsAreRead_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<std::vector<RestaurantTable>>("tables");
        QTest::addColumn<QString>("culprit");
        QTest::newRow("three") << "2:2,1:4,3:6"
                               << std::vector<RestaurantTable>{{1, 4}, {2, 2}, {3, 6}} << "";
        QTest::newRow("blanks") << " 7 : 8 " << std::vector<RestaurantTable>{{7, 8}} << "";
        QTest::newRow("empty") << "" << std::vector<RestaurantTable>{} << "";
        QTest::newRow("no seats") << "1:4,2:0" << std::vector<RestaurantTable>{} << "2:0";
        QTest::newRow("no colon") << "1-4" << std::vector<RestaurantTable>{} << "1-4";
        QTest::newRow("letters") << "a:4" << std::vector<RestaurantTable>{} << "a:4";
        QTest::newRow("empty entry") << "1:4,," << std::vector<RestaurantTable>{} << "\"\"";
        QTest::newRow("twice") << "1:4,1:2" << std::vector<RestaurantTable>{} << "1";
        QTest::newRow("Arabic digits, named in full")
            << QStringLiteral("\u0661:\u0664") << std::vector<RestaurantTable>{}
            << "\"U+0661:U+0664\" n\u00E3o \u00E9 uma mesa";
    }
    void tableListsAreRead() {
        QFETCH(QString, list);
        QFETCH(std::vector<RestaurantTable>, tables);
        QFETCH(QString, culprit);
        std::vector<RestaurantTable> read;
        const std::optional<AnsiString> raised =
            RaisedBy([&] { read = Reservas::ParseTables(list); });
        QCOMPARE(raised.has_value(), !culprit.isEmpty());
        if (raised) {
            QVERIFY2(ToQString(*raised).contains(culprit), raised->c_str());
        }
        QVERIFY(read == tables);
    }

    // A reservation on 07/12 holds table 3; the list without it is set on the day given.
    void removingATableAReservationHoldsIsRefused_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<bool>("refused");
        QTest::newRow("before its day") << QDate(2026, 12, 6) << false << true;
        QTest::newRow("on its day") << QDate(2026, 12, 7) << false << true;
        QTest::newRow("after its day") << QDate(2026, 12, 8) << false << false;
        QTest::newRow("cancelled") << QDate(2026, 12, 6) << true << false;
    }
    void removingATableAReservationHoldsIsRefused() {
        QFETCH(QDate, today);
        QFETCH(bool, cancelled);
        QFETCH(bool, refused);
        store_->Picks = {Tables{3}};
        HandOff().Run(nullptr);
        if (cancelled) {
            QCOMPARE(Reservas::CancelReservation("1"), Reservas::CancelResult::Cancelled);
        }
        store_->SetNow(QDateTime(today, QTime(12, 0)));
        const std::vector<RestaurantTable> before = Reservas::RestaurantTables();
        const std::vector<RestaurantTable> wanted{{1, 4}, {2, 6}};
        const std::optional<AnsiString> raised =
            RaisedBy([&] { Reservas::SetRestaurantTables(wanted); });
        QCOMPARE(raised.has_value(), refused);
        QVERIFY(Reservas::RestaurantTables() == (refused ? before : wanted));
    }

    void aNewFileHasTwentyTablesAndAnOlderFileGetsThem() {
        store_->Picks = {Tables{3}};
        HandOff().Run(nullptr);
        {
            const OtherTerminal older(Reservas::DatabaseLocationText());
            QVERIFY(older.Run("DROP TABLE MESARESERVADA"));
            QVERIFY(older.Run("DROP TABLE MESA"));
            QVERIFY(older.Run("DROP TABLE VERSAOESQUEMA"));
            // What later versions added to the reservations goes too.
            QStringList later =
                TestDatabase::OnServer()
                    ? QStringList{"DROP TRIGGER RESERVAMESA_VERSAO ON RESERVAMESA",
                                  "DROP TRIGGER RESERVAMESA_CANCELADA ON RESERVAMESA",
                                  "DROP TRIGGER RESERVAMESA_AVISO ON RESERVAMESA",
                                  "DROP TRIGGER RESERVAMESA_HISTORICO ON RESERVAMESA"}
                    : QStringList{"DROP TRIGGER RESERVAMESA_VERSAO",
                                  "DROP TRIGGER RESERVAMESA_CANCELADA",
                                  "DROP TRIGGER RESERVAMESA_EXCLUIR",
                                  "DROP INDEX RESERVAMESA_ENTREGA",
                                  "DROP TRIGGER RESERVAMESA_HISTORICO_INCLUIR",
                                  "DROP TRIGGER RESERVAMESA_HISTORICO_ALTERAR"};
            later << "DROP TABLE RESERVAHISTORICO"
                  << "DROP INDEX RESERVAMESA_TELEFONE";
            for (const char* column : {"NRVERSAO", "IDENTREGA", "HRCHEGRESMESA", "CDOPERALTRES",
                                       "NMTERMALTRES", "DTHRALTRES"}) {
                later << QStringLiteral("ALTER TABLE RESERVAMESA DROP COLUMN %1").arg(column);
            }
            for (const QString& statement : later) {
                QVERIFY2(older.Run(statement), qPrintable(statement));
            }
        }
        // Met by a terminal that starts on the older database.
        Reservas::SetDatabaseLocation(Reservas::DatabaseLocationText());
        const QByteArray olderFile = fileContents(Reservas::DatabaseLocationText());
        const std::vector<Reservas::DayReservation> day =
            Reservas::ReservationsOfDay(QDate(2026, 12, 7));
        QCOMPARE(day.size(), std::size_t(1));
        QCOMPARE(day[0].Mesas, Tables{});
        QCOMPARE(fileContents(Reservas::DatabaseLocationText()), olderFile);

        if (TestDatabase::OnServer()) {
            // A terminal leaves a server's tables to their owner, and says so.
            QVERIFY(RaisedBy([] { Reservas::PrepareDatabase(); }));
            Reservas::PrepareDatabaseAsOwner();
        } else {
            Reservas::PrepareDatabase();
        }
        const std::vector<RestaurantTable> tables = Reservas::RestaurantTables();
        QCOMPARE(tables.size(), std::size_t(20));
        for (std::size_t index = 0; index < tables.size(); ++index) {
            QVERIFY((tables[index] == RestaurantTable{int(index) + 1, 4}));
        }
        QCOMPARE(Reservas::FindReservation("1")->NMRESMESA, AnsiString("Maria Souza"));
    }

    // However many past reservations the database keeps, what the terminal reads of a day or a
    // table is found through an index: the engine's own plan never reads a whole table.
    void perDayQueriesReadAnIndex_data() {
        QTest::addColumn<QString>("query");
        QTest::newRow("a day's reservations")
            << "SELECT NRRESMESA FROM RESERVAMESA WHERE DTRESMESA = '2026-12-07' ORDER BY "
               "HRINIRESMESA, NRRESMESA";
        QTest::newRow("a day's reservations with their tables")
            << "SELECT R.NRRESMESA, (SELECT COUNT(*) FROM MESARESERVADA H WHERE H.NRRESMESA = "
               "R.NRRESMESA) FROM RESERVAMESA R WHERE R.DTRESMESA = '2026-12-07'";
        QTest::newRow("a table at overlapping times")
            << "SELECT NRRESMESA FROM MESARESERVADA WHERE NRMESA = 5 AND DTRESMESA = "
               "'2026-12-07' AND HRINIRESMESA < '2130' AND '1930' < HRFINRESMESA";
        QTest::newRow("a reservation's holdings")
            << "SELECT NRMESA FROM MESARESERVADA WHERE NRRESMESA = 1";
        QTest::newRow("a telephone's earlier visits")
            << "SELECT COUNT(*) FROM RESERVAMESA V WHERE V.NRTELRESMESA = '1133334444' AND "
               "V.IDSTRESMESA = 'U' AND V.DTRESMESA < '2026-12-07'";
    }
    void perDayQueriesReadAnIndex() {
        QFETCH(QString, query);
        HandOff().Run(nullptr);
        const OtherTerminal other(Reservas::DatabaseLocationText());
        QSqlQuery plan(QSqlDatabase::database(QStringLiteral("other terminal"), false));
        QStringList steps;
        if (TestDatabase::OnServer()) {
            // A table this small is cheaper read whole: the plan is asked as for a large one.
            QVERIFY(plan.exec(QStringLiteral("SET enable_seqscan = off")));
            QVERIFY(plan.exec(QStringLiteral("EXPLAIN ") + query));
            while (plan.next()) {
                steps << plan.value(0).toString();
            }
            QVERIFY2(!steps.isEmpty() && !steps.join(QLatin1Char('\n')).contains("Seq Scan"),
                     qPrintable(steps.join(QLatin1Char('\n'))));
        } else {
            QVERIFY(plan.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + query));
            while (plan.next()) {
                steps << plan.value(3).toString();
            }
            QVERIFY2(!steps.isEmpty() &&
                         std::none_of(steps.begin(), steps.end(),
                                      [](const QString& step) { return step.startsWith("SCAN"); }),
                     qPrintable(steps.join(QLatin1Char('\n'))));
        }
    }

    // A file put in the database's place while the terminal runs (a copy brought back) is the
    // one read from then on, not the one the terminal had open.
    void aFilePutInPlaceIsReadAnew() {
        if (TestDatabase::OnServer()) {
            QSKIP("a file's matter");
        }
        const QString file = Reservas::DatabaseLocationText();
        Reservas::PrepareDatabase();
        const QByteArray empty = fileContents(file);
        HandOff().Run(nullptr);
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(1));
        QFile copy(file + QStringLiteral(".copia"));
        QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(empty) == empty.size());
        copy.close();
        QVERIFY(QFile::remove(file) && QFile::rename(copy.fileName(), file));
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(0));
    }

    void aDayListsItsReservationsByStartTime() {
        store_->Picks = {Tables{2}, Tables{5, 1}, Tables{}, Tables{2}};
        at("07/12/2026", "2000", "2200").Run(nullptr);
        at("07/12/2026", "1930", "2130").Run(nullptr);
        at("07/12/2026", "1200", "1400").Run(nullptr);
        at("08/12/2026", "1000", "1100").Run(nullptr);
        QCOMPARE(Reservas::CancelReservation("1"), Reservas::CancelResult::Cancelled);
        QCOMPARE(Reservas::CancelReservation("9"), Reservas::CancelResult::NotFound);

        std::vector<std::tuple<AnsiString, AnsiString, Tables>> listed;
        for (const Reservas::DayReservation& r : Reservas::ReservationsOfDay(QDate(2026, 12, 7))) {
            listed.emplace_back(r.Reservation.NRRESMESA,
                                Reservas::StatusWord(r.Reservation.IDSTRESMESA), r.Mesas);
        }
        QVERIFY(listed ==
                (std::vector<std::tuple<AnsiString, AnsiString, Tables>>{
                    {"3", "Pendente", {}}, {"2", "Pendente", {1, 5}}, {"1", "Cancelada", {}}}));
        QVERIFY(Reservas::DayReservationJson(Reservas::ReservationsOfDay(QDate(2026, 12, 8))[0])
                    .endsWith(",\"mesas\":[2]}"));
    }

    // Arrival and no-show mark a pending reservation and the same key takes either back; the
    // database keeps each change in the reservation's history, with who made it and the fields
    // before and after.
    void serviceMarksFollowTheirRulesAndAreKept_data() {
        QTest::addColumn<std::vector<ServiceMark>>("marks");
        QTest::addColumn<std::vector<MarkResult>>("results");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("events");
        using M = ServiceMark;
        using R = MarkResult;
        QTest::newRow("arrived") << std::vector{M::Arrived} << std::vector{R::Marked} << "U"
                                 << QStringList{"nova", "chegou"};
        QTest::newRow("arrival undone, then not come")
            << std::vector{M::Arrived, M::Undo, M::NoShow}
            << std::vector{R::Marked, R::Marked, R::Marked} << "N"
            << QStringList{"nova", "chegou", "desfeita", "nao_veio"};
        QTest::newRow("arrived twice")
            << std::vector{M::Arrived, M::Arrived} << std::vector{R::Marked, R::NotAllowed} << "U"
            << QStringList{"nova", "chegou"};
        QTest::newRow("not come after arriving")
            << std::vector{M::Arrived, M::NoShow} << std::vector{R::Marked, R::NotAllowed} << "U"
            << QStringList{"nova", "chegou"};
        QTest::newRow("nothing to undo")
            << std::vector{M::Undo} << std::vector{R::NotAllowed} << "P" << QStringList{"nova"};
    }
    void serviceMarksFollowTheirRulesAndAreKept() {
        QFETCH(std::vector<ServiceMark>, marks);
        QFETCH(std::vector<MarkResult>, results);
        QFETCH(QString, status);
        QFETCH(QStringList, events);
        Reservas::SetWorkstation("Caixa 2", "OP7");
        store_->Picks = {Tables{4}};
        HandOff().Run(nullptr);
        const AnsiString number = store_->Stored.back();
        store_->SetNow(QDateTime(QDate(2026, 12, 7), QTime(19, 42)));
        for (std::size_t at = 0; at < marks.size(); ++at) {
            QCOMPARE(Reservas::MarkReservation(number, 0, marks[at]), results[at]);
        }
        // A mark over a version the terminal no longer sees is refused.
        QCOMPARE(Reservas::MarkReservation(number, 1, ServiceMark::Undo),
                 events.size() > 1 ? MarkResult::Changed : MarkResult::NotAllowed);
        const Reservas::DayReservation day = Reservas::ReservationsOfDay(QDate(2026, 12, 7))[0];
        QCOMPARE(ToQString(day.Reservation.IDSTRESMESA), status);
        QCOMPARE(day.Chegada, AnsiString(status == "U" ? "1942" : ""));
        QCOMPARE(day.Mesas, Tables{4});

        const std::vector<Reservas::HistoryEntry> history = Reservas::ReservationHistory(number);
        QStringList kept;
        for (const Reservas::HistoryEntry& entry : history) {
            kept << entry.Evento;
            QCOMPARE(entry.Operador, QString("OP7"));
            QCOMPARE(entry.Terminal, QString("Caixa 2"));
        }
        QCOMPARE(kept, events);
        QCOMPARE(history[0].Momento, firstOfDecember);
        QVERIFY(history[0].Antes.empty());
        QCOMPARE(history.back().Depois.back(),
                 std::pair(QString("HRCHEGRESMESA"), QString(status == "U" ? "1942" : "")));
    }

    // An edit keeps the fields before and after it; the creation keeps its time.
    void anEditIsKeptWithItsFieldsBeforeAndAfter() {
        store_->Picks = {Tables{4}};
        HandOff().Run(nullptr);
        const AnsiString number = store_->Stored.back();
        HandOff changed;
        changed.Nome = "Maria Sousa";
        changed.HrFim = "2200";
        edit(changed, number);
        const std::vector<Reservas::HistoryEntry> history = Reservas::ReservationHistory(number);
        QCOMPARE(history.size(), std::size_t(2));
        QCOMPARE(history[1].Evento, QString("alterada"));
        QStringList differences;
        for (std::size_t at = 0; at < history[1].Depois.size(); ++at) {
            if (history[1].Antes[at] != history[1].Depois[at]) {
                differences << history[1].Antes[at].first + "=" + history[1].Antes[at].second +
                                   ">" + history[1].Depois[at].second;
            }
        }
        QCOMPARE(differences,
                 QStringList({"HRFINRESMESA=2130>2200", "NMRESMESA=Maria Souza>Maria Sousa"}));
        QCOMPARE(Reservas::FindReservation(number)->DTHRINCLURES, firstOfDecember);
    }

    // Seven reservations to search; the comment on each is its number.
    void storeGuests() {
        struct Guest {
            const char* name;
            const char* day;
            const char* start;
            const char* telephone;
        };
        const Guest guests[] = {
            {"Ana Silva", "08/12/2026", "2000", "11987654321"},     // 1, used
            {"Bruno Silva", "15/12/2026", "1200", "2133335555"},    // 2
            {"Carla Silva", "10/12/2026", "1930", "1144445555"},    // 3, table 4
            {"Davi Melo", "05/12/2026", "1300", "11987654321"},     // 4, used
            {"Carla Silva", "10/12/2026", "1200", "1144445555"},    // 5, cancelled
            {"Eva Rocha", "03/12/2026", "1200", "11987654321"},     // 6, never came
            {"Eva Rocha", "12/12/2026", "1200", "(11) 98765-4321"}, // 7, used
        };
        store_->Picks = {Tables{}, Tables{}, Tables{4}};
        for (const Guest& guest : guests) {
            HandOff handOff = at(guest.day, guest.start, "2300");
            handOff.Nome = guest.name;
            handOff.Telefone = guest.telephone;
            handOff.Run(nullptr);
        }
        QCOMPARE(Reservas::CancelReservation("5"), Reservas::CancelResult::Cancelled);
        const OtherTerminal other(Reservas::DatabaseLocationText());
        QVERIFY(other.Run("UPDATE RESERVAMESA SET IDSTRESMESA = 'U' WHERE NRRESMESA IN (1, 4, 7)"));
        QVERIFY(other.Run("UPDATE RESERVAMESA SET IDSTRESMESA = 'N' WHERE NRRESMESA = 6"));
    }

    // Today is 10/12: from it on by date and time, then the earlier days latest first.
    void reservationsAreFoundByNameOrTelephone_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("part of a name") << "silva" << QStringList{"5", "3", "2", "1"};
        QTest::newRow("capitals, blanks around") << " CARLA " << QStringList{"5", "3"};
        QTest::newRow("telephone digits") << "98765" << QStringList{"7", "1", "4", "6"};
        QTest::newRow("telephone typed with its mask")
            << "(11) 98765" << QStringList{"7", "1", "4", "6"};
        QTest::newRow("name or telephone") << "melo 5555" << QStringList{"5", "3", "2"};
        QTest::newRow("two digits are no telephone") << "11" << QStringList{};
        QTest::newRow("percent is a plain character") << "a%s" << QStringList{};
        QTest::newRow("underscore is a plain character") << "_" << QStringList{};
        QTest::newRow("the escape character is a plain one") << "!a" << QStringList{};
        QTest::newRow("blank") << "  " << QStringList{};
    }
    void reservationsAreFoundByNameOrTelephone() {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        storeGuests();
        QStringList numbers;
        for (const Reservas::DayReservation& reservation :
             Reservas::FindReservations(text, QDate(2026, 12, 10))) {
            numbers << ToQString(reservation.Reservation.NRRESMESA);
            // With its tables, status and version, as its day's list reads it.
            const std::vector<Reservas::DayReservation> day =
                Reservas::ReservationsOfDay(reservation.Reservation.DTRESMESA);
            QVERIFY(std::find(day.begin(), day.end(), reservation) != day.end());
        }
        QCOMPARE(numbers, found);
    }

    void aGuestsRecordCountsVisitsAndNoShowsBeforeADay_data() {
        QTest::addColumn<QString>("telephone");
        QTest::addColumn<QDate>("before");
        QTest::addColumn<Reservas::GuestRecord>("record");
        const QDate tenth(2026, 12, 10);
        QTest::newRow("two visits, one no-show")
            << "11987654321" << tenth << Reservas::GuestRecord{2, QDate(2026, 12, 8), 1};
        QTest::newRow("masked") << "(11) 98765-4321" << tenth
                                << Reservas::GuestRecord{2, QDate(2026, 12, 8), 1};
        QTest::newRow("not the day itself") << "11987654321" << QDate(2026, 12, 8)
                                            << Reservas::GuestRecord{1, QDate(2026, 12, 5), 1};
        QTest::newRow("pending and cancelled are no visits")
            << "1144445555" << QDate(2026, 12, 20) << Reservas::GuestRecord{};
        QTest::newRow("part of a telephone") << "119876543" << tenth << Reservas::GuestRecord{};
        QTest::newRow("no telephone") << "" << tenth << Reservas::GuestRecord{};
    }
    void aGuestsRecordCountsVisitsAndNoShowsBeforeADay() {
        QFETCH(QString, telephone);
        QFETCH(QDate, before);
        storeGuests();
        QTEST(Reservas::GuestHistory(FromQString(telephone), before), "record");
    }

    void statusCodesShowTheirWords_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("word");
        QTest::newRow("pending") << "P"
                                 << "Pendente";
        QTest::newRow("cancelled") << "C"
                                   << "Cancelada";
        QTest::newRow("used") << "U"
                              << "Utilizada";
        QTest::newRow("not come") << "N" << QStringLiteral(u"N\u00e3o veio");
        QTest::newRow("lower case") << "p"
                                    << "";
        QTest::newRow("other") << "X"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void statusCodesShowTheirWords() {
        QFETCH(QString, code);
        QFETCH(QString, word);
        QCOMPARE(ToQString(Reservas::StatusWord(FromQString(code))), word);
    }
};

QTEST_MAIN(TablesTest)
#include "test_tables.moc"
