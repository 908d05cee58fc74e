#include "framework/data/dbclient.h"
#include "otherterminal.h"
#include "reservas/store.h"
#include "reservationprinter.h"
#include "serverproxy.h"
#include "storefixture.h"
#include "testdatabase.h"

#include <QHostAddress>
#include <QMouseEvent>
#include <QPushButton>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

using Tables = std::vector<int>;

namespace {

const QDateTime firstOfDecember(QDate(2026, 12, 1), QTime(10, 0));
const QString serverLost = QStringLiteral("Sem comunica\u00E7\u00E3o com o servidor de reservas ");
const QString noAnswer = QStringLiteral(" n\u00E3o respondeu em 2 segundos.");
const QDate theDay(2026, 12, 7);

enum class Operation { ReadDay, Book, Cancel };

void postClick(QWidget* widget) {
    const QPointF middle = QRectF(widget->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            widget, new QMouseEvent(type, middle, widget->mapToGlobal(middle), Qt::LeftButton,
                                    Qt::LeftButton, Qt::NoModifier));
    }
}

// Another terminal's moment inside the package's booking: it locks a table from a connection
// of its own, and once the package's session waits for that lock, does something from a
// second connection, then ends its transaction (rolled back unless told to commit).
class LockedMoment {
public:
    LockedMoment(const QString& location, const QString& lock,
                 std::function<bool(QSqlQuery&)> meanwhile,
                 QString end = QStringLiteral("ROLLBACK"))
        : thread_([this, location, lock, meanwhile, end] { run(location, lock, meanwhile, end); }) {
        constexpr int patience = 400;
        for (int tries = 0; tries < patience && !locked_; ++tries) {
            QThread::msleep(25);
        }
    }
    ~LockedMoment() { thread_.join(); }
    LockedMoment(const LockedMoment&) = delete;
    LockedMoment& operator=(const LockedMoment&) = delete;

    bool Locked() const { return locked_; }
    bool Happened() const { return happened_; }

private:
    void run(const QString& location, const QString& lock,
             const std::function<bool(QSqlQuery&)>& meanwhile, const QString& end) {
        const QString holder = QStringLiteral("lock holder");
        const QString actor = QStringLiteral("lock actor");
        {
            QSqlDatabase holding = OpenConnection(location, holder);
            QSqlDatabase acting = OpenConnection(location, actor);
            QSqlQuery locking(holding);
            locked_ = locking.exec(QStringLiteral("BEGIN")) && locking.exec(lock);
            QSqlQuery waiting(acting);
            constexpr int patience = 200;
            for (int tries = 0; locked_ && tries < patience; ++tries) {
                waiting.exec(QStringLiteral(
                    "SELECT 1 FROM pg_stat_activity WHERE datname = current_database() AND "
                    "application_name = 'reservas-terminal' AND wait_event_type = 'Lock'"));
                if (waiting.next()) {
                    QSqlQuery action(acting);
                    happened_ = meanwhile(action);
                    break;
                }
                QThread::msleep(25);
            }
            locking.exec(end);
            holding.close();
            acting.close();
        }
        QSqlDatabase::removeDatabase(holder);
        QSqlDatabase::removeDatabase(actor);
    }

    std::atomic<bool> locked_ = false;
    std::atomic<bool> happened_ = false;
    std::thread thread_;
};

// Ends the terminal's sessions on the server, as a restart or a network cut would, and waits
// until they are gone.
bool endTerminalSessions(const QString& location) {
    const QString name = QStringLiteral("session ender");
    bool ended = false;
    {
        QSqlQuery query(OpenConnection(location, name));
        const QString terminals = QStringLiteral(
            "FROM pg_stat_activity WHERE datname = current_database() AND application_name = "
            "'reservas-terminal'");
        ended = query.exec(QStringLiteral("SELECT pg_terminate_backend(pid) ") + terminals) &&
                query.next();
        constexpr int patience = 400;
        for (int tries = 0; ended && tries < patience; ++tries) {
            if (query.exec(QStringLiteral("SELECT 1 ") + terminals) && !query.next()) {
                break;
            }
            QThread::msleep(25);
        }
    }
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
    return ended;
}

} // namespace

class ServerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<StoreFixture> store_;

    // The reservation was refused with the server's message, nothing was stored or confirmed,
    // and the same entry stores once when the operator tries again.
    void verifyToldAndRetried(const std::optional<AnsiString>& raised) {
        QVERIFY(raised);
        QVERIFY2(ToQString(*raised).startsWith(serverLost), raised->c_str());
        QVERIFY(store_->Stored.empty());
        QVERIFY(store_->Messages.empty());

        Reservas::SetDatabaseLocation(store_->Database.Location());
        store_->Picks = {Tables{5}};
        HandOff().Run(nullptr);
        QCOMPARE(store_->Stored.size(), std::size_t(1));
        QCOMPARE(store_->Held, std::vector<Tables>{Tables{5}});
        const std::vector<Reservas::DayReservation> day =
            Reservas::ReservationsOfDay(QDate(2026, 12, 7));
        QCOMPARE(day.size(), std::size_t(1));
        QCOMPARE(day[0].Reservation.NMRESMESA, HandOff().Nome);
        QCOMPARE(day[0].Reservation.NRTELRESMESA, HandOff().Telefone);
    }

private slots:
    void init() {
        if (!TestDatabase::OnServer()) {
            QSKIP("runs on the test server alone");
        }
        SKIP_WITHOUT_SERVER();
        store_ = std::make_unique<StoreFixture>(firstOfDecember);
    }
    void cleanup() {
        Reservas::SetDatabaseDeadline(std::chrono::seconds(10));
        store_.reset();
    }

    // No server where the URL points: refused at once, or never answering: given up after the
    // connect timeout. Either way the operator is told, and the retry stores.
    void anUnreachableServerIsTold_data() {
        QTest::addColumn<bool>("listening");
        QTest::newRow("nothing listens") << false;
        QTest::newRow("never answers") << true;
    }
    void anUnreachableServerIsTold() {
        QFETCH(bool, listening);
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        const quint16 port = silent.serverPort();
        if (!listening) {
            silent.close();
        }
        Reservas::SetDatabaseLocation(
            QStringLiteral("postgresql://reservas@127.0.0.1:%1/reservas").arg(port));
        store_->Picks = {Tables{5}};
        verifyToldAndRetried(RaisedBy([] { HandOff().Run(nullptr); }));
    }

    // The server ends the terminal's session between two operations: the next one finds out at
    // its first statement and runs again on a new session, unseen by the operator.
    void aSessionLostBetweenOperationsIsOpenedAgainUnseen() {
        Reservas::PrepareDatabase();
        store_->Picks = {Tables{5}};
        HandOff().Run(nullptr);
        QVERIFY(endTerminalSessions(store_->Database.Location()));
        QCOMPARE(Reservas::ReservationsOfDay(theDay).size(), std::size_t(1));
        QVERIFY(endTerminalSessions(store_->Database.Location()));
        store_->Picks = {Tables{6}};
        QCOMPARE(RaisedBy([] { HandOff().Run(nullptr); }), std::nullopt);
        QCOMPARE(store_->Held, (std::vector<Tables>{Tables{5}, Tables{6}}));
        QCOMPARE(Reservas::ReservationsOfDay(theDay).size(), std::size_t(2));
    }

    // Another session has the database to itself, as a schema change does: replacing the
    // tables waits its while, says the reservations are in use, and changes nothing.
    void replacingTablesWhileTheDatabaseIsHeldSaysSo() {
        Reservas::PrepareDatabase();
        const OtherTerminal other(store_->Database.Location());
        QVERIFY(other.Run(QStringLiteral("BEGIN")));
        QVERIFY(other.Run(QStringLiteral("SELECT pg_advisory_xact_lock(7140001)")));
        const std::optional<AnsiString> raised = RaisedBy([] {
            Reservas::SetRestaurantTables({{1, 2}});
        });
        QVERIFY(raised);
        QVERIFY2(ToQString(*raised).contains(QStringLiteral("em uso")), raised->c_str());
        QCOMPARE(Reservas::RestaurantTables().size(), std::size_t(20));
    }

    // The package's session ends while its booking waits for another terminal's lock: the
    // transaction is gone on the server, the operator is told, and the retry reconnects.
    void aSessionLostMidReservationLosesNothing() {
        Reservas::PrepareDatabase();
        std::optional<AnsiString> raised;
        {
            const LockedMoment moment(
                store_->Database.Location(), "LOCK TABLE MESARESERVADA IN SHARE MODE",
                [](QSqlQuery& action) {
                    return action.exec(
                               "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                               "datname = current_database() AND application_name = "
                               "'reservas-terminal'") &&
                           action.next() && action.value(0).toBool();
                });
            QVERIFY(moment.Locked());
            store_->Picks = {Tables{5}};
            raised = RaisedBy([] { HandOff().Run(nullptr); });
            QVERIFY2(moment.Happened(), raised ? raised->c_str() : "the session was not ended");
        }
        verifyToldAndRetried(raised);
    }

    // Another terminal holds table 5 after the package found it free and before it stored:
    // the database refuses the second holding, and the operator gets the same word and the
    // grid again, with table 5 taken and nothing stored twice.
    void aRaceTheDatabaseDecidesIsToldAsAnyOther() {
        Reservas::PrepareDatabase();
        {
            // Another terminal holds table 5, not yet committed when this one checks: this
            // one's holding waits on the database's constraint, which refuses it once the
            // other commits.
            const LockedMoment moment(
                store_->Database.Location(),
                "INSERT INTO RESERVAMESA (NMRESMESA, DTRESMESA, HRINIRESMESA, HRFINRESMESA, "
                "IDSTRESMESA) VALUES ('Outro terminal', '2026-12-07', '2000', '2200', 'P'); "
                "INSERT INTO MESARESERVADA SELECT NRRESMESA, 5, '2026-12-07', '2000', '2200' FROM "
                "RESERVAMESA WHERE NMRESMESA = 'Outro terminal'",
                [](QSqlQuery&) { return true; }, QStringLiteral("COMMIT"));
            QVERIFY(moment.Locked());
            store_->Picks = {Tables{5}, Tables{6}};
            HandOff().Run(nullptr);
            QVERIFY(moment.Happened());
        }
        QCOMPARE(store_->Messages.size(), std::size_t(2));
        QVERIFY2(ToQString(store_->Messages[0].Text).contains(QLatin1String(" 5 ")),
                 store_->Messages[0].Text.c_str());
        QCOMPARE(store_->Choices.size(), std::size_t(2));
        QCOMPARE(store_->Choices[1].Taken, Tables{5});
        QCOMPARE(store_->Held, std::vector<Tables>{Tables{6}});
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 7)).size(), std::size_t(2));
    }

    // A terminal's role that does not own the database: it is told when the database is not
    // prepared, and once the owner prepared it and granted the role, it books, lists and cancels
    // but cannot drop, empty or alter the tables, nor switch off the rule on double booking.
    void aTerminalRoleBooksButCannotChangeTheTables() {
        const TestDatabase fresh(store_->Folder.path());
        QString asTerminal = fresh.Location();
        asTerminal.replace(QStringLiteral("//reservas@"), QStringLiteral("//caixa@"));
        Reservas::SetDatabaseLocation(asTerminal);
        const std::optional<AnsiString> unprepared = RaisedBy([] { Reservas::PrepareDatabase(); });
        QVERIFY(unprepared);
        QVERIFY2(ToQString(*unprepared).contains(QStringLiteral("--prepare-database")),
                 unprepared->c_str());
        QVERIFY(RaisedBy([] { Reservas::PrepareDatabaseAsOwner(QStringLiteral("caixa")); }));

        Reservas::SetDatabaseLocation(fresh.Location());
        QVERIFY(RaisedBy([] { Reservas::PrepareDatabaseAsOwner(QStringLiteral("caixa; --")); }));
        Reservas::PrepareDatabaseAsOwner(QStringLiteral("caixa"));
        Reservas::SetDatabaseLocation(asTerminal);
        store_->Picks = {Tables{5}};
        HandOff().Run(nullptr);
        QCOMPARE(store_->Held, std::vector<Tables>{Tables{5}});
        QCOMPARE(Reservas::ReservationsOfDay(theDay).size(), std::size_t(1));
        QCOMPARE(Reservas::CancelReservation(store_->Stored.back()),
                 Reservas::CancelResult::Cancelled);
        // The history the terminal cannot write was written for it.
        QCOMPARE(Reservas::ReservationHistory(store_->Stored.back()).size(), std::size_t(2));

        QSqlDatabase terminal = OpenConnection(asTerminal, QStringLiteral("caixa"));
        for (const char* statement :
             {"DROP TABLE MESARESERVADA", "TRUNCATE RESERVAMESA",
              "ALTER TABLE MESARESERVADA DROP CONSTRAINT MESARESERVADA_SEM_CONFLITO",
              "CREATE TABLE OUTRA (CDOUTRA TEXT)", "DELETE FROM RESERVAHISTORICO",
              "INSERT INTO RESERVAHISTORICO (NRRESMESA, IDEVENTO) VALUES (1, 'nova')"}) {
            QSqlQuery query(terminal);
            QVERIFY2(!query.exec(QString::fromLatin1(statement)), statement);
        }
        terminal.close();
        terminal = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("caixa"));
    }

    // The server falls silent mid-session (a stopped process, a network gone black): reading a
    // day, booking and cancelling each give up at the deadline saying so, the screen paints on
    // and drops the taps made meanwhile, and once the server answers the next attempt works on
    // a fresh connection.
    void aSilentServerIsGivenUpOnAtTheDeadline_data() {
        QTest::addColumn<Operation>("operation");
        QTest::newRow("day") << Operation::ReadDay;
        QTest::newRow("booking") << Operation::Book;
        QTest::newRow("cancel") << Operation::Cancel;
    }
    void aSilentServerIsGivenUpOnAtTheDeadline() {
        QFETCH(Operation, operation);
        Reservas::PrepareDatabase();
        Reservas::StoredReservation booked;
        booked.NMRESMESA = "Ana Lima";
        booked.DTRESMESA = theDay;
        booked.HRINIRESMESA = "1200";
        booked.HRFINRESMESA = "1330";
        booked.IDSTRESMESA = "P";
        const AnsiString number = Reservas::BookReservation(booked, {}, Tables{2}).Nrresmesa;
        ServerProxy proxy(store_->Database.Location());
        Reservas::SetDatabaseLocation(proxy.Location());
        QCOMPARE(Reservas::ReservationsOfDay(theDay).size(), std::size_t(1));

        const auto operate = [operation, number] {
            switch (operation) {
            case Operation::ReadDay:
                Reservas::ReservationsOfDay(theDay);
                break;
            case Operation::Book:
                HandOff().Run(nullptr);
                break;
            case Operation::Cancel:
                QCOMPARE(Reservas::CancelReservation(number), Reservas::CancelResult::Cancelled);
                break;
            }
        };
        proxy.SetSilent(true);
        Reservas::SetDatabaseDeadline(std::chrono::seconds(2));
        int ticks = 0;
        QTimer painting;
        QObject::connect(&painting, &QTimer::timeout, [&ticks] { ++ticks; });
        painting.start(50);
        QPushButton key;
        key.show();
        int taps = 0;
        QObject::connect(&key, &QPushButton::clicked, [&taps] { ++taps; });
        QTimer::singleShot(300, &key, [&key] { postClick(&key); });
        store_->Picks = {Tables{5}};
        const std::optional<AnsiString> raised = RaisedBy(operate);
        QVERIFY(raised);
        QVERIFY2(
            ToQString(*raised).endsWith(
                noAnswer + QStringLiteral(" Nada foi confirmado; tente novamente em instantes.")),
            raised->c_str());
        QVERIFY(ticks > 0);
        QCoreApplication::processEvents();
        QCOMPARE(taps, 0);
        postClick(&key);
        QTRY_COMPARE(taps, 1);

        proxy.SetSilent(false);
        QCOMPARE(RaisedBy(operate), std::nullopt);
        const std::vector<Reservas::DayReservation> day = Reservas::ReservationsOfDay(theDay);
        QCOMPARE(day.size(), std::size_t(operation == Operation::Book ? 2 : 1));
        QCOMPARE(day[0].Reservation.IDSTRESMESA,
                 AnsiString(operation == Operation::Cancel ? "C" : "P"));
    }

    // The server stores a booking, but its answer never gets back: the operator is told the
    // server was lost, and trying the same entry again stores nothing twice and says so.
    void aBookingWhoseCommitAnswerIsLostStoresOnce() {
        Reservas::PrepareDatabase();
        ServerProxy proxy(store_->Database.Location());
        Reservas::SetDatabaseLocation(proxy.Location());
        Dbclient::TClientDataSet entry;
        store_->Picks = {Tables{5}, Tables{6}};
        // The statement that stores it is the one that carries the name.
        proxy.LoseNextAnswerTo(QByteArray(HandOff().Nome.c_str()));
        const std::optional<AnsiString> raised = RaisedBy([&entry] { HandOff().Run(&entry); });
        QVERIFY(proxy.AnswerLost());
        QVERIFY(raised);
        QVERIFY2(ToQString(*raised).startsWith(serverLost), raised->c_str());
        QVERIFY(store_->Stored.empty());

        QCOMPARE(RaisedBy([&entry] { HandOff().Run(&entry); }), std::nullopt);
        const std::vector<Reservas::DayReservation> day = Reservas::ReservationsOfDay(theDay);
        QCOMPARE(day.size(), std::size_t(1));
        QCOMPARE(day[0].Mesas, Tables{5});
        QVERIFY2(ToQString(store_->Messages.back().Text)
                     .contains(QStringLiteral("j\u00E1 estava gravada")),
                 store_->Messages.back().Text.c_str());
    }
};

QTEST_MAIN(ServerTest)
#include "test_server.moc"
