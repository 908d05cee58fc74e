#pragma once

#include "framework/ansistring.h"
#include "reservas/reservationstore.h"

namespace Reservas {

// Stores a new reservation and returns the number it was given. NRRESMESA is ignored.
AnsiString InsertReservation(const StoredReservation& reservation);

// Replaces what the operator enters (date, times, telephone, people, name, description) in
// the reservation numbered NRRESMESA; false when there is none.
bool UpdateReservation(const StoredReservation& reservation);

} // namespace Reservas
