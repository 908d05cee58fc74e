#pragma once

#include "framework/ansistring.h"
#include "framework/sysutils.h"
#include "reservas/reservationstore.h"

#include <QtGlobal>
#include <optional>
#include <vector>

namespace Reservas {

class ReservationDatabase;

// Raised when tables the operator picked were taken, since the grid was shown, by another
// reservation at an overlapping time (or removed from the restaurant). Nothing was stored.
class TablesTaken : public Sysutils::Exception {
public:
    explicit TablesTaken(std::vector<int> mesas);
    const std::vector<int>& Mesas() const { return mesas_; }

private:
    std::vector<int> mesas_;
};

// The tables held by reservations other than the one numbered except (0 for none) whose times
// overlap the reservation's on its date (a cancelled reservation holds none: cancelling frees
// its tables). Ascending: exactly the holdings the database itself would refuse beside it.
std::vector<int> TablesTakenAt(const ReservationDatabase& database,
                               const StoredReservation& reservation, qlonglong except);

// The tables the reservation numbered number holds, ascending.
std::vector<int> TablesHeldBy(const ReservationDatabase& database, qlonglong number);

// A stored reservation and the tables it holds.
struct Booking {
    AnsiString Nrresmesa;
    std::vector<int> Mesas;
};

// Stores a new reservation (editing empty) or the reservation numbered editing, holding the
// tables mesas; without mesas an edited reservation keeps the tables it holds, at its new
// times. The check that the tables are free and the storing are one write transaction, and the
// database refuses a second holding besides, so two terminals can never hold a table at
// overlapping times: the one that comes second gets TablesTaken. An edited reservation that is
// not there raises.
Booking BookReservation(const StoredReservation& reservation, std::optional<qlonglong> editing,
                        const std::optional<std::vector<int>>& mesas);

} // namespace Reservas
