#include "showreservation.h"

#include "reservas/store.h"
#include "terminaltexts.h"

#include <cstdio>

bool ShowStoredReservation(const AnsiString& nrresmesa) {
    std::optional<Reservas::StoredReservation> stored;
    try {
        stored = Reservas::FindReservation(nrresmesa);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ConsoleErrorText(error)));
        return false;
    }
    if (!stored) {
        std::fprintf(stderr, "no stored reservation has the number %s\n",
                     qPrintable(ToQString(nrresmesa)));
        return false;
    }
    std::fputs(Reservas::ReservationJson(*stored).constData(), stdout);
    std::fputs("\n", stdout);
    return true;
}
