#pragma once

#include "reservas/store.h"

#include <QSqlError>
#include <QString>
#include <QStringList>

namespace Reservas {

// What one engine says differently from the other; every other statement of the store is the
// same text on both.

// A write transaction that only books or cancels runs beside others of its kind; one that
// changes the restaurant's tables or the schema has the database to itself.
enum class TransactionKind { Booking, Exclusive };

// The key of the server's advisory lock: taken shared by bookings, alone by schema and table-list
// changes.
inline constexpr auto AdvisoryLockKey = "7140001";

// How a failed statement is told to the operator.
enum class FailureKind {
    Other,
    Busy,            // another terminal holds what the statement waits for
    ServerLost,      // the server cannot be reached, or went away mid-statement
    HoldingConflict, // a table would be held twice at overlapping times
};

// The type of the reservation number: filled in by the database on insert.
QString ReservationKeyType(DatabaseEngine engine);

// The tables the reservation R holds, as one text of numbers between commas (in no set order),
// or NULL when it holds none.
QString HeldTablesColumn(DatabaseEngine engine);

// One row, selected when the database has the table named (in the parameter :name).
QString TableExistsSql(DatabaseEngine engine);
QString TableName(DatabaseEngine engine, const QString& name);

QStringList BeginSql(DatabaseEngine engine, TransactionKind kind);

// Makes the database itself refuse a table held twice at overlapping times on one day, whoever
// writes: a terminal of an older version or someone at the database's own prompt.
QStringList NoDoubleBookingSql(DatabaseEngine engine);

// Makes the database itself keep the rules on a reservation's status and version, whoever
// writes: a cancelled or missing reservation holds no table, a change of a reservation advances
// its version, and each hand-off identity stores at most one reservation.
QStringList ReservationIntegritySql(DatabaseEngine engine);

// Makes every change of the reservations or the tables tell the terminals that listen.
QStringList ChangeNotificationSql(DatabaseEngine engine);

// A role name the grants below can name safely: letters, digits and underscores, not starting
// with a digit.
bool IsRoleName(const QString& role);

// What a terminal's role needs on a server to book, list, cancel and set the restaurant's
// tables, and no more: it cannot drop, empty or alter a table, nor its constraints.
QStringList TerminalGrantSql(const QString& role);

FailureKind ClassifyFailure(DatabaseEngine engine, const QSqlError& error);

} // namespace Reservas
