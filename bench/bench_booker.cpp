// One terminal of the bookings benchmark (bench/bookings.sh), a process of its own:
//   bench_booker DATABASE START_SIGNAL READY_FILE TABLE SECONDS
// opens the database as a terminal does when it starts, says it is ready, waits for the start
// signal, then books table TABLE again and again through the package's hand-off, as the entry
// screen calls it, for SECONDS, each booking an hour of its own, and prints one line:
//   bookings B conflicts C busy R nanoseconds T
// A conflict is a booking refused because the table was taken; a busy retry is the same booking
// tried again after the database stayed busy past its wait. Exit codes: 0 done, 2 anything else
// (said on standard error).

#include "booking/handoff.h"
#include "reservas/store.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdio>
#include <stdexcept>

namespace {

struct Tally {
    int Bookings = 0;
    int Conflicts = 0;
    int Busy = 0;
    qint64 Nanoseconds = 0;
};

Tally bookFor(int table, double seconds) {
    Tally tally;
    QElapsedTimer clock;
    clock.start();
    for (int number = 0; clock.nsecsElapsed() < seconds * 1e9;) {
        switch (Bench::HandOff(number, table)) {
        case Bench::HandOffOutcome::Stored:
            ++tally.Bookings;
            ++number;
            break;
        case Bench::HandOffOutcome::TableTaken:
            ++tally.Conflicts;
            ++number;
            break;
        case Bench::HandOffOutcome::Busy:
            ++tally.Busy;
            break;
        }
    }
    tally.Nanoseconds = clock.nsecsElapsed();
    return tally;
}

void waitForStart(const QString& signal) {
    // The driver gives the signal once every client is ready; a lost driver ends the wait.
    const QDeadlineTimer deadline(60000);
    while (!QFileInfo::exists(signal)) {
        if (deadline.hasExpired()) {
            throw std::runtime_error("no start signal within 60 s");
        }
        QThread::usleep(500);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    bool tableOk = false;
    bool secondsOk = false;
    const int table = arguments.value(4).toInt(&tableOk);
    const double seconds = arguments.value(5).toDouble(&secondsOk);
    if (arguments.size() != 6 || !tableOk || !secondsOk || seconds <= 0) {
        std::fputs("usage: bench_booker DATABASE START_SIGNAL READY_FILE TABLE SECONDS\n", stderr);
        return 2;
    }
    try {
        Reservas::SetDatabaseLocation(arguments[1]);
        Reservas::PrepareDatabaseAsOwner();
        Bench::RequireTable(table);
        QFile ready(arguments[3]);
        if (!ready.open(QIODevice::WriteOnly)) {
            throw std::runtime_error("cannot write " + arguments[3].toStdString());
        }
        ready.close();
        waitForStart(arguments[2]);
        const Tally tally = bookFor(table, seconds);
        // Whole nanoseconds: no decimal point that a locale could turn into a comma.
        std::printf("bookings %d conflicts %d busy %d nanoseconds %lld\n", tally.Bookings,
                    tally.Conflicts, tally.Busy, static_cast<long long>(tally.Nanoseconds));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "table %d: %s\n", table, error.what());
        return 2;
    }
    return 0;
}
