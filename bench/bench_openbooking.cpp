// Bookings on a connection already open, as a terminal makes them through the day:
//   bench_openbooking DATABASE TABLE COUNT
// opens the database as a terminal does when it starts (on a server, one its owner prepared),
// books table TABLE COUNT times (at least 2) through the package's hand-off, then reads the day
// it booked COUNT times as the day's window does, and prints the first booking's time, the
// median of the others' times and the median of the readings after the first, in nanoseconds:
//   first F median M list L
// A booking refused because the table was taken fails the run: the table must be free. Exit
// codes: 0 done, 2 anything else (said on standard error).

#include "booking/handoff.h"
#include "reservas/store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One booking's nanoseconds; a database busy past its wait is asked again, as the operator
// would tap again.
qint64 book(int number, int table) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        switch (Bench::HandOff(number, table)) {
        case Bench::HandOffOutcome::Stored:
            return clock.nsecsElapsed();
        case Bench::HandOffOutcome::TableTaken:
            throw std::runtime_error("table " + std::to_string(table) + " was taken");
        case Bench::HandOffOutcome::Busy:
            break;
        }
    }
}

// The median of the day's readings after the first, in nanoseconds.
qint64 readDay(int count) {
    const QDate day = Bench::BookedDay(0);
    std::vector<qint64> readings;
    for (int reading = 0; reading < count; ++reading) {
        QElapsedTimer clock;
        clock.start();
        if (Reservas::ReservationsOfDay(day).empty()) {
            throw std::runtime_error("the booked day lists nothing");
        }
        if (reading > 0) {
            readings.push_back(clock.nsecsElapsed());
        }
    }
    std::nth_element(readings.begin(), readings.begin() + readings.size() / 2, readings.end());
    return readings[readings.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    // The hand-off needs a screen it never shows.
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    bool tableOk = false;
    bool countOk = false;
    const int table = arguments.value(2).toInt(&tableOk);
    const int count = arguments.value(3).toInt(&countOk);
    if (arguments.size() != 4 || !tableOk || !countOk || count < 2) {
        std::fputs("usage: bench_openbooking DATABASE TABLE COUNT (COUNT at least 2)\n", stderr);
        return 2;
    }
    try {
        Reservas::SetDatabaseLocation(arguments[1]);
        Reservas::PrepareDatabase();
        Bench::RequireTable(table);
        const qint64 first = book(0, table);
        std::vector<qint64> others;
        for (int number = 1; number < count; ++number) {
            others.push_back(book(number, table));
        }
        std::nth_element(others.begin(), others.begin() + others.size() / 2, others.end());
        const qint64 listing = readDay(count);
        std::printf("first %lld median %lld list %lld\n", static_cast<long long>(first),
                    static_cast<long long>(others[others.size() / 2]),
                    static_cast<long long>(listing));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_openbooking: %s\n", error.what());
        return 2;
    }
    return 0;
}
