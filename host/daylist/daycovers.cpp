#include "daylist/daycovers.h"

#include "terminaltexts.h"

namespace {

// Cancelled, and the guest never came: the table stood empty.
bool seated(const Reservas::StoredReservation& reservation) {
    return reservation.IDSTRESMESA != "C" && reservation.IDSTRESMESA != "N";
}

QString coversText(const Covers& covers) {
    const QString reservations =
        ToQString(covers.Reservations == 1
                      ? TerminalText("UMA_RESERVA")
                      : TerminalText("N_RESERVAS", QString::number(covers.Reservations)));
    const QString people =
        ToQString(covers.People == 1 ? TerminalText("UMA_PESSOA")
                                     : TerminalText("N_PESSOAS", QString::number(covers.People)));
    return ToQString(TerminalText("RESERVAS_PESSOAS", reservations, people));
}

} // namespace

DayCovers CoversOf(const std::vector<Reservas::DayReservation>& reservations, int dinnerFrom) {
    DayCovers covers;
    for (const Reservas::DayReservation& reservation : reservations) {
        const Reservas::StoredReservation& stored = reservation.Reservation;
        if (!seated(stored)) {
            continue;
        }
        // Times are kept as HHMM digits.
        const int startHour = ToQString(stored.HRINIRESMESA).toInt() / 100;
        const int people = ToQString(stored.NRPESRESMESA).toInt();
        Covers& shift = startHour >= dinnerFrom ? covers.Dinner : covers.Lunch;
        for (Covers* counted : {&covers.Day, &shift}) {
            ++counted->Reservations;
            counted->People += people;
        }
    }
    return covers;
}

QString CoversText(const DayCovers& covers) {
    return ToQString(TerminalText("COBERTURA", coversText(covers.Day), coversText(covers.Lunch),
                                  coversText(covers.Dinner)));
}
