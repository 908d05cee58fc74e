#pragma once

#include "framework/ansistring.h"
#include "reservas/store.h"

#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace Reservas {

class ReservationDatabase;

// The statements on the reservations, in the caller's connection and transaction.

// A reservation as stored, with the version it was read at (0 in a database from before
// versions).
struct StoredRow {
    StoredReservation Reservation;
    qlonglong Versao = 0;
};

// Stores a new reservation, stored by the hand-off identity (none when empty), and returns the
// number it was given. NRRESMESA is ignored.
qlonglong InsertReservation(const ReservationDatabase& database,
                            const StoredReservation& reservation, const QString& identity);

// Replaces what the operator enters (date, times, telephone, people, name, description) in
// the reservation numbered number, and its hand-off identity, unless it is cancelled or, with a
// version (not 0), no longer at it; false when nothing was stored.
bool UpdateReservation(const ReservationDatabase& database, const StoredReservation& reservation,
                       qlonglong number, qlonglong version, const QString& identity);

// Sets the status code of the reservation numbered number ("C" cancelled, "P" pending, "U"
// arrived at arrival HHMM, "N" not come), when it is still at version; false when it was not.
bool SetStatusAt(const ReservationDatabase& database, qlonglong number, qlonglong version,
                 const char* status, const QString& arrival = {});

// The reservation numbered number, if there is one.
std::optional<StoredRow> SelectReservation(const ReservationDatabase& database, qlonglong number);

// The number of the reservation the hand-off identity stored, if it did.
std::optional<qlonglong> StoredByHandOff(const ReservationDatabase& database,
                                         const QString& identity);

// A row of a select that read the columns in their order and, with versions, NRVERSAO after
// them.
StoredRow ReadRow(const QSqlQuery& query, bool withVersion);

// What a list of reservations reads after those columns, as the database has them: the tables
// held and, from the history's version on, the arrival and the guest's earlier visits. The
// reservations' table is named R.
QStringList ListedColumns(const ReservationDatabase& database);
// A row of a select that read the columns, the version and then ListedColumns.
DayReservation ReadListedRow(const QSqlQuery& query, const ReservationDatabase& database);

} // namespace Reservas
