// One terminal of the bookings benchmark (bench/bookings.sh), a process of its own:
//   bench_booker DATABASE START_SIGNAL READY_FILE TABLE SECONDS
// opens the database as a terminal does when it starts, says it is ready, waits for the start
// signal, then books table TABLE again and again through the package's hand-off, as the entry
// screen calls it, for SECONDS, each booking an hour of its own, and prints one line:
//   bookings B conflicts C busy R nanoseconds T
// A conflict is a booking refused because the table was taken; a busy retry is the same booking
// tried again after the database stayed busy past its wait. Exit codes: 0 done, 2 anything else
// (said on standard error).

#include "framework/sysutils.h"
#include "hostlib/mensagem.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace {

// Bookings of an hour each from 10:00 to 22:00, then the next day: every client books the same
// days and hours, each on its own table, as terminals filling the same evenings do.
constexpr int hoursPerDay = 12;
constexpr int firstHour = 10;

AnsiString hhmm(int hour) {
    return FromQString(QStringLiteral("%1").arg(hour * 100, 4, 10, QLatin1Char('0')));
}

struct Tally {
    int Bookings = 0;
    int Conflicts = 0;
    int Busy = 0;
    qint64 Nanoseconds = 0;
};

// One reservation handed to the package: the grid answers with the table, and with going back
// when it comes again after the table was taken.
void handOff(int number, int table) {
    const int hour = firstHour + number % hoursPerDay;
    const QDate day = QDate(2027, 3, 1).addDays(number / hoursPerDay);
    int offered = 0;
    Reservas::SetTablePicker([&offered, table](const Reservas::TableChoice&) {
        return ++offered == 1 ? std::optional(std::vector<int>{table}) : std::nullopt;
    });
    CriaMesasReserva(NewReservation, hhmm(hour), hhmm(hour + 1), "1133334444", "",
                     FromQString(day.toString(QStringLiteral("dd/MM/yyyy"))), "Maria Souza",
                     "Jantar", "4", nullptr);
}

Tally bookFor(int table, double seconds) {
    // The package's word for a database another terminal kept busy past its wait.
    const QString busy = QStringLiteral("As reservas est\u00E3o em uso");
    Tally tally;
    bool stored = false;
    Reservas::SetStoredObserver(
        [&stored](const AnsiString&, const std::vector<int>& mesas) { stored = !mesas.empty(); });
    QElapsedTimer clock;
    clock.start();
    for (int number = 0; clock.nsecsElapsed() < seconds * 1e9;) {
        stored = false;
        try {
            handOff(number, table);
            if (!stored) {
                throw std::runtime_error("a booking was stored without its table");
            }
            ++tally.Bookings;
            ++number;
        } catch (const Sysutils::EAbort&) {
            ++tally.Conflicts;
            ++number;
        } catch (const Sysutils::Exception& error) {
            if (!ToQString(error.Message()).startsWith(busy)) {
                throw;
            }
            ++tally.Busy;
        }
    }
    tally.Nanoseconds = clock.nsecsElapsed();
    return tally;
}

void requireTable(int table) {
    const std::vector<Reservas::RestaurantTable> tables = Reservas::RestaurantTables();
    if (std::none_of(tables.begin(), tables.end(),
                     [table](const Reservas::RestaurantTable& t) { return t.Number == table; })) {
        throw std::runtime_error("the restaurant has no table " + std::to_string(table));
    }
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
        // Messages (the stored reservation's, a taken table's) are answered at once.
        SetMensagemObserver([](const MensagemCall&) { return true; });
        Reservas::PrepareDatabaseAsOwner();
        requireTable(table);
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
