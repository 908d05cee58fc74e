// A whole new reservation, 43 taps one on each pass of the event loop, from the module's entry
// call (as the terminal makes it) to the reservation stored with its table: the grid is
// answered with the first free table, messages are answered without a window, the clock stands
// still and the database is a file of its own. Against the bare dialog of the same widgets
// (screen/barescreen.h) taking the same taps into its labels and storing one row with a bare
// insert (screen/bareentry.h). Each sample books a day of its own.

#include "framework/data/dbclient.h"
#include "module/cli_res01400.h"
#include "module/tfrminclusaoreserva.h"
#include "reservas/reservas.h"
#include "screen/bareentry.h"
#include "screen/barescreen.h"
#include "screen/keytaps.h"
#include "screen/paintwatch.h"
#include "support/bareinsert.h"
#include "support/environment.h"
#include "support/sampling.h"
#include "support/storesetup.h"

#include <QApplication>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

// Name, date, start, end, telephone, people and description, each followed by Enter.
QStringList reservationKeys(const QDate& day) {
    QStringList keys;
    const QString entries[] = {
        QStringLiteral("Ana"),        day.toString(QStringLiteral("ddMMyyyy")),
        QStringLiteral("1930"),       QStringLiteral("2130"),
        QStringLiteral("1133334444"), QStringLiteral("4"),
        QStringLiteral("Jantar")};
    for (const QString& entry : entries) {
        keys << Bench::KeysFor(entry) << QStringLiteral("sbtEnter");
    }
    return keys;
}

} // namespace

class ReservationBench : public QObject {
    Q_OBJECT

private slots:
    void wholeReservation_data() {
        QTest::addColumn<bool>("ours");
        QTest::newRow("ours") << true;
        QTest::newRow("baseline") << false;
    }

    void wholeReservation() {
        QFETCH(bool, ours);
        Bench::StoreSetup setup(1);
        Bench::BareInsert bare(setup.Folder.filePath(QStringLiteral("bare.db")));
        QVERIFY(bare.Ready());
        Bench::ScreenPlan plan;
        {
            const auto reservation = Bench::NewReservationDataset();
            TfrmInclusaoReserva form(nullptr);
            form.InicializaForm(NewReservation, reservation.get());
            plan = Bench::PlanOf(form);
        }
        int day = 0;
        const auto ms = Bench::MedianOf(Bench::SampleCount(9), [&] {
            const QStringList keys = reservationKeys(Bench::ReservationDay(day));
            QElapsedTimer timer;
            double storedMs = std::nan("");
            const auto stored = [&] { storedMs = Bench::ElapsedMs(timer); };
            const Bench::ModalGuard guard;
            bool failed = false;
            if (ours) {
                const auto reservation = Bench::NewReservationDataset();
                setup.OnStored = stored;
                Bench::KeyTaps taps(keys, [] { return Cli_res01400::frmInclusaoReserva; });
                taps.Start();
                timer.start();
                CriaInclusaoReserva(NewReservation, reservation.get());
                setup.OnStored = {};
                failed = taps.Failed() || !setup.Errors.empty();
            } else {
                timer.start();
                Bench::BareScreen screen(plan);
                Bench::BareEntry entry(screen, bare, day, stored);
                Bench::KeyTaps taps(keys, [&screen] { return &screen; });
                taps.Start();
                screen.exec();
                failed = taps.Failed() || entry.Failed();
            }
            ++day;
            return failed || guard.Fired() || std::isnan(storedMs)
                       ? Bench::NoSample("the reservation was not stored")
                       : storedMs;
        });
        QVERIFY(ms);
        // One confirmation for each reservation stored, and nothing else said.
        QCOMPARE(setup.Messages, setup.Stored);
        QTest::setBenchmarkResult(*ms, QTest::WalltimeMilliseconds);
    }
};

int main(int argc, char** argv) {
    Bench::PrepareEnvironment();
    QApplication app(argc, argv);
    ReservationBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_reservation.moc"
