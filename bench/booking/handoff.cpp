#include "booking/handoff.h"

#include "framework/sysutils.h"
#include "hostlib/mensagem.h"
#include "hostlib/pergunta.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"
#include "reservas/store.h"

#include <QDate>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace Bench {

namespace {

constexpr int hoursPerDay = 12;
constexpr int firstHour = 10;

AnsiString hhmm(int hour) {
    return FromQString(QStringLiteral("%1").arg(hour * 100, 4, 10, QLatin1Char('0')));
}

} // namespace

QDate BookedDay(int number) {
    return QDate(2027, 3, 1).addDays(number / hoursPerDay);
}

HandOffOutcome HandOff(int number, int table) {
    // The package's word for a database another terminal kept busy past its wait.
    const QString busy = QStringLiteral("As reservas est\u00E3o em uso");
    const int hour = firstHour + number % hoursPerDay;
    const QDate day = BookedDay(number);
    // The grid answers with the table, and with going back when it comes again after the table
    // was taken.
    int offered = 0;
    Reservas::SetTablePicker([&offered, table](const Reservas::TableChoice&) {
        return ++offered == 1 ? std::optional(std::vector<int>{table}) : std::nullopt;
    });
    bool stored = false;
    Reservas::SetStoredObserver(
        [&stored](const AnsiString&, const std::vector<int>& mesas) { stored = !mesas.empty(); });
    SetMensagemObserver([](const MensagemCall&) { return true; });
    // Terminals booking the same hour for other tables book the same guest: the operator goes on.
    SetPerguntaObserver([](const AnsiString&) { return std::optional(true); });
    try {
        CriaMesasReserva(NewReservation, hhmm(hour), hhmm(hour + 1), "1133334444", "",
                         FromQString(day.toString(QStringLiteral("dd/MM/yyyy"))), "Maria Souza",
                         "Jantar", "4", nullptr);
    } catch (const Sysutils::EAbort&) {
        return HandOffOutcome::TableTaken;
    } catch (const Sysutils::Exception& error) {
        if (ToQString(error.Message()).startsWith(busy)) {
            return HandOffOutcome::Busy;
        }
        throw;
    }
    if (!stored) {
        throw std::runtime_error("a booking was stored without its table");
    }
    return HandOffOutcome::Stored;
}

void RequireTable(int table) {
    const std::vector<Reservas::RestaurantTable> tables = Reservas::RestaurantTables();
    if (std::none_of(tables.begin(), tables.end(),
                     [table](const Reservas::RestaurantTable& t) { return t.Number == table; })) {
        throw std::runtime_error("the restaurant has no table " + std::to_string(table));
    }
}

} // namespace Bench
