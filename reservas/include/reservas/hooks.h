#pragma once

// What a host or a test may put into the package's hand-off: who is told of each stored
// reservation, and who picks its tables.

#include "framework/ansistring.h"
#include "reservas/reservas_export.h"
#include "reservas/store.h"

#include <functional>
#include <optional>
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
    int People = 0;
    AnsiString Heading; // the reservation in one line: date, times, name
    AnsiString SchemeId;
    // Reads Taken again, for a grid that stays open while another terminal books; may raise.
    // Without it the grid shows Taken as it was when it opened.
    std::function<std::vector<int>()> RefreshTaken;
};

// Shows the grid and returns the tables picked (ascending; empty for "sem mesa"), or nothing
// when the operator goes back to the entry. The package's own grid unless replaced; an empty
// function puts the grid back.
using TTablePicker = std::function<std::optional<std::vector<int>>(const TableChoice& choice)>;
RESERVAS_EXPORT void SetTablePicker(TTablePicker picker);
RESERVAS_EXPORT std::optional<std::vector<int>> PickTables(const TableChoice& choice);

} // namespace Reservas
