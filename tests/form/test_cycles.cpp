// Opens and closes the entry screen through the entry function many times, new and edit, left
// by Esc and by a stored reservation, with the real package storing: memory must not grow with
// the number of screens. The sanitizer build checks that nothing is lost at exit; the resident
// memory is compared in the plain build, where no sanitizer keeps freed memory aside.
#include "formfixture.h"

#include "hostlib/pergunta.h"
#include "module/cli_res01400.h"
#include "reservas/hooks.h"

#include <QTemporaryDir>
#include <QTest>
#include <malloc.h>

namespace {

// Resident memory in bytes, from the kernel's own count of this process's pages.
// What the program holds from the allocator: a screen or a reservation left behind shows here,
// not what the allocator keeps in reserve for later, which resident memory counts too and which
// drifts with how threads' allocations interleave. With one arena every thread's are counted.
qint64 heldBytes() {
    const struct mallinfo2 held = mallinfo2();
    return qint64(held.uordblks + held.hblkhd);
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
    void initTestCase() { mallopt(M_ARENA_MAX, 1); }

    void screensOpenedAndClosedLeaveNoMemoryBehind() {
        const QTemporaryDir folder;
        Reservas::SetDatabaseLocation(folder.filePath(QStringLiteral("reservas.db")));
        Reservas::SetTablePicker(
            [](const Reservas::TableChoice&) { return std::optional(std::vector<int>()); });
        // Every reservation stored is the same guest's at the same time: the operator goes on.
        SetPerguntaObserver([](const AnsiString&) { return std::optional(true); });
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
        qint64 heldAfterTen = 0;
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
                heldAfterTen = heldBytes();
            }
        }
        QCOMPARE(Reservas::ReservationsOfDay(QDate(2026, 12, 24)).size(), std::size_t(storedNew));
        Reservas::SetTablePicker({});
        SetPerguntaObserver({});
        Reservas::SetDatabaseLocation({});

        const qint64 growth = heldBytes() - heldAfterTen;
        qInfo("%d screens; memory held grew by %lld KiB after the first ten", cycles,
              growth / 1024);
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("memory held is compared in the build without AddressSanitizer, which has an "
              "allocator of its own");
#endif
        QVERIFY2(growth <= 1024 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
    }
};

QTEST_MAIN(CyclesTest)
#include "test_cycles.moc"
