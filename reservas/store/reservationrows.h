#pragma once

#include "framework/ansistring.h"
#include "reservas/store.h"

#include <QtGlobal>
#include <optional>

namespace Reservas {

class ReservationDatabase;

// The statements on the reservations, in the caller's connection and transaction.

// Stores a new reservation and returns the number it was given. NRRESMESA is ignored.
qlonglong InsertReservation(const ReservationDatabase& database,
                            const StoredReservation& reservation);

// Replaces what the operator enters (date, times, telephone, people, name, description) in
// the reservation numbered number; false when there is none.
bool UpdateReservation(const ReservationDatabase& database, const StoredReservation& reservation,
                       qlonglong number);

// The reservation numbered number, if there is one.
std::optional<StoredReservation> SelectReservation(const ReservationDatabase& database,
                                                   qlonglong number);

} // namespace Reservas
