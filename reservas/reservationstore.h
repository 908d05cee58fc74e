#pragma once

#include "framework/ansistring.h"
#include "reservas/reservas_export.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace Dbclient {
class TClientDataSet;
}

namespace Reservas {

// One stored reservation, one member per column of the reservation record.
struct RESERVAS_EXPORT StoredReservation {
    AnsiString DSRESMESA;
    AnsiString NRRESMESA;
    AnsiString CDFILIAL;
    AnsiString CDLOJA;
    QDate DTRESMESA;
    AnsiString HRINIRESMESA;
    AnsiString HRFINRESMESA;
    AnsiString NMRESMESA;
    AnsiString NRTELRESMESA;
    AnsiString NRPESRESMESA;
    AnsiString IDSTRESMESA;
    AnsiString CDOPERINCRES;
    QDate DTHRINCLURES;

    bool operator==(const StoredReservation&) const = default;
};

// The routines that reach the database raise Sysutils::Exception with a clear text when it
// cannot be opened or read, its server cannot be reached, or another terminal keeps it busy.
// The reading ones leave the database as it is: a missing file, or one without the
// reservations, raises.

// The database: a SQLite file, or a PostgreSQL server's database as
// postgresql://user@host:port/dbname (see ParseDatabaseLocation). Unset, it is reservas.db in the
// user's application data folder; the file and its folder, or the server database's tables, are
// created when the first reservation is stored.
RESERVAS_EXPORT void SetDatabaseFile(const QString& file);
RESERVAS_EXPORT QString DatabaseFile();

// Told the number of each reservation once it is stored, with the tables it holds (ascending);
// an empty function stops the telling.
using TStoredObserver =
    std::function<void(const AnsiString& nrresmesa, const std::vector<int>& mesas)>;
RESERVAS_EXPORT void SetStoredObserver(TStoredObserver observer);

// Adds the reservation record's thirteen field definitions, in order, so the caller can
// create the dataset.
RESERVAS_EXPORT void DefineReservationFields(Dbclient::TClientDataSet& dataset);

// Appends the stored reservation to a created dataset of the reservation record and makes it
// the current record; false when no reservation has that number.
RESERVAS_EXPORT bool LoadReservation(const AnsiString& nrresmesa, Dbclient::TClientDataSet& target);

// The reservation as one JSON object (UTF-8), its columns in the record's order.
RESERVAS_EXPORT QByteArray ReservationJson(const StoredReservation& reservation);

// Empty when no reservation has that number.
RESERVAS_EXPORT std::optional<StoredReservation> FindReservation(const AnsiString& nrresmesa);

// One of the restaurant's tables.
struct RESERVAS_EXPORT RestaurantTable {
    int Number = 0;
    int Seats = 0;

    bool operator==(const RestaurantTable&) const = default;
};

// A reservation of a day with the tables it holds (ascending; none once it is cancelled).
struct RESERVAS_EXPORT DayReservation {
    StoredReservation Reservation;
    std::vector<int> Mesas;

    bool operator==(const DayReservation&) const = default;
};

// Opens the database for writing, creating or bringing its tables up to date, so that a screen
// can show it before the first reservation is stored.
RESERVAS_EXPORT void PrepareDatabase();

// The restaurant's tables by number. A database the restaurant never gave a list has twenty
// tables of four seats; an empty list means the restaurant does not assign tables.
RESERVAS_EXPORT std::vector<RestaurantTable> RestaurantTables();

// Reads "1:4,2:2,3:6" (table number, a colon, its seats; blanks allowed around each); an empty
// text is the empty list. Bad text, a number or seat count that is not a positive whole number
// or a table named twice raises Sysutils::Exception naming the culprit.
RESERVAS_EXPORT std::vector<RestaurantTable> ParseTables(const QString& list);

// Replaces the restaurant's tables. Removing a table that a reservation of today or later
// holds raises Sysutils::Exception naming it and the reservation, and changes nothing.
RESERVAS_EXPORT void SetRestaurantTables(const std::vector<RestaurantTable>& tables);

// The reservations of a day, cancelled ones included, by start time and then number.
RESERVAS_EXPORT std::vector<DayReservation> ReservationsOfDay(const QDate& day);

// Marks the reservation cancelled ("C") and frees its tables; false when there is none.
RESERVAS_EXPORT bool CancelReservation(const AnsiString& nrresmesa);

// The word a status code shows as, by the package's status rule: "P" pending, "C" cancelled,
// "U" used; any other code shows as nothing.
RESERVAS_EXPORT AnsiString StatusWord(const AnsiString& code);

// A day's reservation as one JSON object (UTF-8): the record's columns in order, then "mesas".
RESERVAS_EXPORT QByteArray DayReservationJson(const DayReservation& reservation);

// What the table grid offers the operator once a reservation has been entered.
struct RESERVAS_EXPORT TableChoice {
    std::vector<RestaurantTable> Tables;
    std::vector<int> Taken;  // held by another reservation at an overlapping time: not pickable
    std::vector<int> Picked; // picked when the grid opens
    int People = 0;
    AnsiString Heading; // the reservation in one line: date, times, name
    AnsiString SchemeId;
};

// Shows the grid and returns the tables picked (ascending; empty for "sem mesa"), or nothing
// when the operator goes back to the entry. The package's own grid unless replaced; an empty
// function puts the grid back.
using TTablePicker = std::function<std::optional<std::vector<int>>(const TableChoice& choice)>;
RESERVAS_EXPORT void SetTablePicker(TTablePicker picker);
RESERVAS_EXPORT std::optional<std::vector<int>> PickTables(const TableChoice& choice);

} // namespace Reservas
