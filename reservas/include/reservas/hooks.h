#pragma once

// What a host or a test may put into the package's hand-off: who is told of each stored
// reservation, and who picks its tables; and bringing a cancelled reservation back, which picks
// tables the same way.

#include "framework/ansistring.h"
#include "reservas/reservas_export.h"
#include "reservas/store.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace Reservas {

// Told the number of each reservation once it is stored, with the tables it holds (ascending);
// an empty function stops the telling.
using TStoredObserver =
    std::function<void(const AnsiString& nrresmesa, const std::vector<int>& mesas)>;
RESERVAS_EXPORT void SetStoredObserver(TStoredObserver observer);

// What the table grid offers the operator once a reservation has been entered.
struct RESERVAS_EXPORT TableChoice {
    std::vector<RestaurantTable> Tables;
    std::vector<int> Taken;  // held by another reservation at an overlapping time: not pickable
    std::vector<int> Picked; // picked when the grid opens
    // Until when (HHMM) each table of Taken is held, as TablesAround has it; a table missing
    // here is shown taken without an end.
    std::vector<std::pair<int, AnsiString>> TakenUntil;
    int People = 0;
    AnsiString Heading; // the reservation in one line: date, times, name
    AnsiString SchemeId;
    // Reads the tables taken (Taken and TakenUntil) again, for a grid that stays open while
    // another terminal books; may raise. Without it the grid shows them as they were when it
    // opened.
    std::function<TablesAround()> RefreshTaken;
    // Told the tables picked (ascending) when the operator goes back from the grid, so that the
    // grid opened again for the same entry can offer them again.
    std::function<void(const std::vector<int>&)> GoneBackWith;
};

// Shows the grid and returns the tables picked (ascending; empty for "sem mesa"), or nothing
// when the operator goes back to the entry. The package's own grid unless replaced; an empty
// function puts the grid back.
using TTablePicker = std::function<std::optional<std::vector<int>>(const TableChoice& choice)>;
RESERVAS_EXPORT void SetTablePicker(TTablePicker picker);
RESERVAS_EXPORT std::optional<std::vector<int>> PickTables(const TableChoice& choice);

// Brings the cancelled reservation nrresmesa back once the operator has picked its tables again
// on the grid (at once for a restaurant that assigns no tables), re-offering the grid when
// another terminal takes a picked table first, and tells the operator when it is done.
// seenVersion is the version the caller read; a reservation changed or brought back meanwhile
// is not touched. Nothing when the operator went back from the grid. Raises Sysutils::Exception
// when the database fails.
RESERVAS_EXPORT std::optional<ReactivateResult> BringBackReservation(const AnsiString& nrresmesa,
                                                                     qlonglong seenVersion);

} // namespace Reservas
