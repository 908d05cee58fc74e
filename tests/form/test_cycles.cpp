// Opens and closes the entry screen through the entry function many times, new and edit, left
// by Esc and by a stored reservation, with the real package storing: memory must not grow with
// the number of screens. The sanitizer build checks that nothing is lost at exit; the resident
// memory is compared in the plain build, where no sanitizer keeps freed memory aside.
#include "formfixture.h"

#include "module/cli_res01400.h"
#include "reservas/hooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

namespace {

// Resident memory in bytes, from the kernel's own count of this process's pages.
qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

int cyclesWanted() {
    bool given = false;
    const int cycles = qEnvironmentVariableIntValue("ENTRY_CYCLES", &given);
    return given && cycles > 10 ? cycles : 1000;
}

enum class Road { NewLeft, NewStored, EditLeft, EditStored };

void typeNewReservation(TfrmInclusaoReserva& form) {
    for (const char* entry : {"Ana", "24122026", "1930", "2130", "1133334444", "4", "janela"}) {
        Tap(form, entry);
        TapEnter(form);
    }
}

void walkPrefilledReservation(TfrmInclusaoReserva& form) {
    for (int step = 1; step <= 7; ++step) {
        TapEnter(form);
    }
}

} // namespace

class CyclesTest : public QObject {
    Q_OBJECT

private slots:
    void screensOpenedAndClosedLeaveNoMemoryBehind() {
        const QTemporaryDir folder;
        Reservas::SetDatabaseLocation(folder.filePath(QStringLiteral("reservas.db")));
        Reservas::SetTablePicker(
            [](const Reservas::TableChoice&) { return std::optional(std::vector<int>()); });
        const ClockAt clock(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        const TCriaMesasReserva package = CriaMesasReserva;
        FormWatch watch;
        CriaMesasReserva = package;

        ReservationRow stored = PrefilledRow();
        stored.nrresmesa = "1";
        const auto newReservation = MakeReservation({});
        const auto storedReservation = MakeReservation({stored});

        const int cycles = cyclesWanted();
        int storedNew = 0;
        qint64 residentAfterTen = 0;
        for (int cycle = 0; cycle < cycles; ++cycle) {
            const auto road = Road(cycle % 4);
            const bool edit = road == Road::EditLeft || road == Road::EditStored;
            storedNew += road == Road::NewStored ? 1 : 0;
            WhenShown([road](TfrmInclusaoReserva& form) {
                switch (road) {
                case Road::NewStored:
                    typeNewReservation(form);
                    break;
                case Road::EditStored:
                    walkPrefilledReservation(form);
                    break;
                default:
                    form.sbtSair->Click();
                }
            });
            Cli_res01400::CriaInclusaoReserva(edit ? EditReservation : NewReservation,
                                              edit ? storedReservation.get()
                                                   : newReservation.get());
            QVERIFY2(watch.errors.empty(), watch.errors.empty() ? "" : watch.errors[0].c_str());
            if (cycle == 9) {
                residentAfterTen = residentBytes();
            }
        }
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 24)).size(), std::size_t(storedNew));
        Reservas::SetTablePicker({});
        Reservas::SetDatabaseLocation({});

        const qint64 growth = residentBytes() - residentAfterTen;
        qInfo("%d screens; resident memory grew by %lld KiB after the first ten", cycles,
              growth / 1024);
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("resident memory is compared in the build without AddressSanitizer, whose "
              "quarantine keeps freed memory resident");
#endif
        QVERIFY2(growth <= 1024 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
    }
};

QTEST_MAIN(CyclesTest)
#include "test_cycles.moc"
