// Storing one reservation with two tables through the package's entry point, as the entry
// screen hands it over (the grid answered at once), against a bare QSqlQuery insert of one row
// into a file opened with the same options, and against a bare loop of the statements the
// package runs for it. Each sample books a day of its own.

#include "framework/data/dbclient.h"
#include "reservas/reservas.h"
#include "reservas/store.h"
#include "support/barebooking.h"
#include "support/bareinsert.h"
#include "support/environment.h"
#include "support/sampling.h"
#include "support/storesetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <functional>

class StoreBench : public QObject {
    Q_OBJECT

    // The entry screen's hand-off of a reservation on date, timed from timer's start.
    static double bookThroughPackage(const Bench::StoreSetup& setup,
                                     Dbclient::TClientDataSet& reservation, const QDate& date,
                                     const QElapsedTimer& timer) {
        const int storedBefore = setup.Stored;
        CriaMesasReserva(NewReservation, "1930", "2130", "1133334444",
                         FromQString(date.toString(QStringLiteral("ddMMyyyy"))),
                         FromQString(date.toString(QStringLiteral("dd/MM/yyyy"))), "Maria Souza",
                         "Aniversario", "4", &reservation);
        const double elapsed = Bench::ElapsedMs(timer);
        return setup.Stored == storedBefore + 1 ? elapsed : Bench::NoSample("nothing was stored");
    }

    // The median of the package's hand-offs or, not ours, of the baseline's, each on a day of
    // its own.
    static void measure(bool ours, const Bench::StoreSetup& setup,
                        const std::function<bool(int)>& baseline) {
        const auto reservation = Bench::NewReservationDataset();
        int day = 0;
        const auto ms = Bench::MedianOf(Bench::SampleCount(31), [&] {
            const QDate date = Bench::ReservationDay(day++);
            QElapsedTimer timer;
            timer.start();
            if (!ours) {
                return baseline(day) ? Bench::ElapsedMs(timer)
                                     : Bench::NoSample("the baseline failed");
            }
            return bookThroughPackage(setup, *reservation, date, timer);
        });
        QVERIFY(ms);
        QTest::setBenchmarkResult(*ms, QTest::WalltimeMilliseconds);
    }

private slots:
    void store_data() {
        QTest::addColumn<bool>("ours");
        QTest::newRow("ours") << true;
        QTest::newRow("baseline") << false;
    }

    void store() {
        QFETCH(bool, ours);
        Bench::StoreSetup setup(2);
        Bench::BareInsert bare(setup.Folder.filePath(QStringLiteral("bare.db")));
        QVERIFY(bare.Ready());
        measure(ours, setup, [&bare](int day) { return bare.Insert(day); });
    }

    void againstItsStatements_data() { store_data(); }

    void againstItsStatements() {
        QFETCH(bool, ours);
        Bench::StoreSetup setup(2);
        // The bare loop's file gets the package's tables, triggers and indexes.
        const QString ourFile = Reservas::DatabaseLocationText();
        const QString bareFile = setup.Folder.filePath(QStringLiteral("bare.db"));
        Reservas::SetDatabaseLocation(bareFile);
        Reservas::PrepareDatabase();
        Reservas::SetDatabaseLocation(ourFile);
        Bench::BareBooking bare(bareFile);
        QVERIFY(bare.Ready());
        measure(ours, setup, [&bare](int day) { return bare.Book(day); });
    }
};

int main(int argc, char** argv) {
    Bench::PrepareEnvironment();
    QApplication app(argc, argv);
    StoreBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_store.moc"
