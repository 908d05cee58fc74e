#include "reservas/store.h"
#include "reservationprinter.h"
#include "storefixture.h"

#include <QHostAddress>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

using Tables = std::vector<int>;

namespace {

const QDateTime firstOfDecember(QDate(2026, 12, 1), QTime(10, 0));
const QString serverLost = QStringLiteral("Sem comunica\u00E7\u00E3o com o servidor de reservas ");

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
    void cleanup() { store_.reset(); }

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
};

QTEST_MAIN(ServerTest)
#include "test_server.moc"
