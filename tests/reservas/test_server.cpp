#include "otherterminal.h"
#include "reservas/reservationstore.h"
#include "reservationprinter.h"
#include "storefixture.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QSqlError>
#include <QTcpServer>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>

using Tables = std::vector<int>;

namespace {

const QDateTime firstOfDecember(QDate(2026, 12, 1), QTime(10, 0));
const QString serverLost = QStringLiteral("Sem comunica\u00E7\u00E3o com o servidor de reservas ");

// Ends the package's session on the server once it waits for a lock: the server lost in the
// middle of a booking, after the reservation was written and before its table was.
class SessionKiller {
public:
    explicit SessionKiller(const QString& location)
        : thread_([this, location] { run(location); }) {}
    ~SessionKiller() { thread_.join(); }
    SessionKiller(const SessionKiller&) = delete;
    SessionKiller& operator=(const SessionKiller&) = delete;

    bool Killed() const { return killed_; }

private:
    void run(const QString& location) {
        const QString name = QStringLiteral("session killer");
        {
            QSqlDatabase database = OpenConnection(location, name);
            QSqlQuery kill(database);
            constexpr int patience = 200;
            for (int tries = 0; tries < patience && !killed_; ++tries) {
                kill.exec(QStringLiteral(
                    "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = "
                    "current_database() AND application_name = 'reservas-terminal' AND "
                    "wait_event_type = 'Lock'"));
                killed_ = kill.next() && kill.value(0).toBool();
                QThread::msleep(25);
            }
            database.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    std::atomic<bool> killed_ = false;
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

        Reservas::SetDatabaseFile(store_->Database.Location());
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
        Reservas::SetDatabaseFile(
            QStringLiteral("postgresql://reservas@127.0.0.1:%1/reservas").arg(port));
        store_->Picks = {Tables{5}};
        verifyToldAndRetried(RaisedBy([] { HandOff().Run(nullptr); }));
    }

    // The package's session ends while its booking waits for another terminal's lock: the
    // transaction is gone on the server, the operator is told, and the retry reconnects.
    void aSessionLostMidReservationLosesNothing() {
        Reservas::PrepareDatabase();
        const OtherTerminal other(store_->Database.Location());
        QVERIFY(other.Run("BEGIN"));
        QVERIFY(other.Run("LOCK TABLE MESARESERVADA IN SHARE MODE"));
        std::optional<AnsiString> raised;
        bool killed = false;
        {
            const SessionKiller killer(store_->Database.Location());
            store_->Picks = {Tables{5}};
            raised = RaisedBy([] { HandOff().Run(nullptr); });
            QVERIFY(other.Run("ROLLBACK"));
            killed = killer.Killed();
        }
        QVERIFY2(killed, raised ? raised->c_str() : "the booking did not wait for the lock");
        verifyToldAndRetried(raised);
    }
};

QTEST_MAIN(ServerTest)
#include "test_server.moc"
