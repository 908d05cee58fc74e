#include "listreservations.h"

#include "reservas/store.h"
#include "terminaltexts.h"

#include <cstdio>

bool PrintReservationsOfDay(const QDate& day) {
    std::vector<Reservas::DayReservation> reservations;
    try {
        reservations = Reservas::ReservationsOfDay(day);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ConsoleErrorText(error)));
        return false;
    }
    for (const Reservas::DayReservation& reservation : reservations) {
        std::fputs(Reservas::DayReservationJson(reservation).constData(), stdout);
        std::fputs("\n", stdout);
    }
    return true;
}
