#include "findrequest.h"

#include "framework/datetime.h"
#include "framework/sysutils.h"
#include "reservas/store.h"
#include "terminaltexts.h"

#include <cstdio>

bool PrintFoundReservations(const QString& text) {
    std::vector<Reservas::DayReservation> found;
    try {
        found = Reservas::FindReservations(text, Sysutils::DecodeDateTime(Sysutils::Date()).date());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ConsoleErrorText(error)));
        return false;
    }
    for (const Reservas::DayReservation& reservation : found) {
        std::fputs(Reservas::DayReservationJson(reservation).constData(), stdout);
        std::fputs("\n", stdout);
    }
    return true;
}
