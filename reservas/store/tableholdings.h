#pragma once

#include "reservas/store.h"

#include <QtGlobal>
#include <vector>

namespace Reservas {

class ReservationDatabase;

// The statements on the tables reservations hold (MESARESERVADA), in the caller's connection
// and transaction. Every list is ascending.

// The tables held by reservations other than the one numbered except (0 for none) whose times
// overlap the reservation's on its date (a cancelled reservation holds none: cancelling frees
// its tables): exactly the holdings the database itself would refuse beside it.
std::vector<int> TablesTakenAt(const ReservationDatabase& database,
                               const StoredReservation& reservation, qlonglong except);

// The tables the reservation numbered number holds.
std::vector<int> TablesHeldBy(const ReservationDatabase& database, qlonglong number);

// The reservation numbered number holds exactly mesas, at its date and times.
void HoldTables(const ReservationDatabase& database, const StoredReservation& reservation,
                qlonglong number, const std::vector<int>& mesas);

// What the reservation numbered number holds moves to its new date and times.
void MoveHeldTables(const ReservationDatabase& database, const StoredReservation& reservation,
                    qlonglong number);

// The reservation numbered number holds no table any more.
void ReleaseTables(const ReservationDatabase& database, qlonglong number);

// The numbers of the restaurant's tables.
std::vector<int> TableNumbers(const ReservationDatabase& database);

// The restaurant's tables with the tables TablesTakenAt gives, each with the latest end of its
// holdings there, and those the reservation numbered editing holds (none for 0), in one
// statement.
BookingTables TablesAndHoldings(const ReservationDatabase& database,
                                const StoredReservation& reservation, qlonglong editing);

} // namespace Reservas
