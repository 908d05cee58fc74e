#pragma once

#include <QDate>

namespace Bench {

// What became of one reservation handed to the package.
enum class HandOffOutcome {
    Stored,
    TableTaken, // refused: another reservation held the table at those times
    Busy,       // the database stayed busy past its wait; the same booking may be tried again
};

// Hands reservation number `number` of a run to the package as the entry screen does
// (CriaMesasReserva), the grid answering with `table`: an hour of its own, from 10:00 to 22:00
// and then the next day, so that runs on different tables fill the same evenings. Messages
// are answered at once. Raises on any other failure, and when a booking was stored without
// its table.
HandOffOutcome HandOff(int number, int table);

// The day reservation number `number` of a run is booked on.
QDate BookedDay(int number);

// Raises std::runtime_error when the restaurant has no table `table`.
void RequireTable(int table);

} // namespace Bench
