#pragma once

// The reservation store: everything a caller may do with the restaurant's reservations and
// tables. Each routine opens the database itself. Those that reach the database raise
// Sysutils::Exception with a clear text when it cannot be opened or read, its server cannot be
// reached, or another terminal keeps it busy. Reading never creates or changes the database: a
// missing file, or one without the reservations, raises.

#include "framework/ansistring.h"
#include "framework/sysutils.h"
#include "reservas/store_export.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace Dbclient {
class TClientDataSet;
}

namespace Reservas {

// ---- Where the reservations are kept ----

enum class DatabaseEngine { SQLite, PostgreSQL };

// A SQLite file, or a PostgreSQL database that every terminal of the restaurant reaches over the
// network, written postgresql://user@host:port/dbname. The password never travels in the text:
// libpq reads it from PGPASSWORD or ~/.pgpass.
struct RESERVAS_STORE_EXPORT DatabaseLocation {
    DatabaseEngine Engine = DatabaseEngine::SQLite;
    QString File; // SQLite
    QString Host; // PostgreSQL, each part empty or -1 for libpq's own default
    int Port = -1;
    QString User;
    QString Name;
    // Further connection settings from the URL's query (sslmode=require, ...), under libpq's
    // own names.
    std::vector<std::pair<QString, QString>> Settings;

    // How every message names it: the file, or the URL with the value of each setting that is
    // not one of libpq's own words for it (a file, a name) shown as "...".
    QString Shown() const;
};

// Reads a file path or a postgresql:// (or postgres://) URL. Raises Sysutils::Exception saying
// why for a path to anything but a regular file (a folder, a FIFO, a device, a socket), and
// for a URL that is not well formed, has no database name, or carries a password. A setting
// after "?" must be one of libpq's connection keywords (in any case) with a value it takes;
// those that would carry a secret, loosen the terminal's own time limits (connect_timeout,
// keepalives..., tcp_user_timeout, options, service) or belong in the address itself are
// refused. No message repeats a password or a setting's value.
RESERVAS_STORE_EXPORT DatabaseLocation ParseDatabaseLocation(const QString& text);

// The database every routine below uses, as a file path or a URL. Unset, it is reservas.db in
// the user's application data folder; the file and its folder, or the server database's
// tables, are created when the first reservation is stored. Connections are kept between
// routines; setting the location, even to the same one, opens the database anew.
RESERVAS_STORE_EXPORT void SetDatabaseLocation(const QString& location);
RESERVAS_STORE_EXPORT QString DatabaseLocationText();

// How long the program waits for the database in any one operation (about ten seconds unless
// set). Past it the operation raises saying the database did not answer, and the next one
// starts on a fresh connection. A screen keeps painting meanwhile and drops the taps made on it.
RESERVAS_STORE_EXPORT void SetDatabaseDeadline(std::chrono::milliseconds limit);

// Opens the database for writing, so that a screen can show it before the first reservation is
// stored: a SQLite file is created, or its tables brought up to date; a server's database must
// have been prepared by its owner, and raises saying so when it is missing the tables or has
// older ones.
RESERVAS_STORE_EXPORT void PrepareDatabase();

// The database owner's work, once and after each upgrade of the program: creates the tables or
// brings them up to date, on either engine, and on a server grants terminalRole (unless empty)
// what the terminals need and no more. A role on SQLite, or a name that is no plain role name,
// raises.
RESERVAS_STORE_EXPORT void PrepareDatabaseAsOwner(const QString& terminalRole = {});

// ---- The reservations ----

// One stored reservation, one member per column of the reservation record.
struct RESERVAS_STORE_EXPORT StoredReservation {
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
    QDateTime DTHRINCLURES; // the moment it was entered (a dataset keeps its date)

    bool operator==(const StoredReservation&) const = default;
};

// The most characters the record keeps in the text column named (0 for any other name).
RESERVAS_STORE_EXPORT std::size_t ColumnLength(std::string_view column);

// A reservation number as the store keeps it: a positive whole number, kept as text in the
// dataset; nothing for any other text.
RESERVAS_STORE_EXPORT std::optional<qlonglong> ReservationNumber(const AnsiString& nrresmesa);

// Empty when no reservation has that number.
RESERVAS_STORE_EXPORT std::optional<StoredReservation> FindReservation(const AnsiString& nrresmesa);

// A reservation of a day with the tables it holds (ascending; none once it is cancelled).
struct RESERVAS_STORE_EXPORT DayReservation {
    StoredReservation Reservation;
    std::vector<int> Mesas;
    qlonglong Versao = 0;
    AnsiString Chegada; // HHMM the guest arrived at, while marked arrived
    int Visitas = 0;    // earlier reservations of the same telephone the guest came to

    bool operator==(const DayReservation&) const = default;
};

// The reservations of a day, cancelled ones included, by start time and then number, each with
// the version it was read at (Versao; 0 in a database from before versions).
RESERVAS_STORE_EXPORT std::vector<DayReservation> ReservationsOfDay(const QDate& day);

// The reservations, on any day, whose name holds text (in any case: at least ASCII letters on
// every engine) or, when text has three digits or more, whose telephone holds its digits; the
// wildcards of SQL in text are taken as plain characters. Those of today and later come first,
// by date and start time, then the earlier ones, latest first; cancelled ones included. At most
// FoundReservationsLimit of them, each with its tables and version as ReservationsOfDay reads
// them. A blank text finds nothing.
inline constexpr std::size_t FoundReservationsLimit = 50;
RESERVAS_STORE_EXPORT std::vector<DayReservation> FindReservations(const QString& text,
                                                                   const QDate& today);

// What the restaurant knows of a guest, by telephone: the reservations used ("U") dated before
// a day, the latest of them (invalid when none), and the reservations the guest never came to
// ("N") dated before that day.
struct RESERVAS_STORE_EXPORT GuestRecord {
    int Visits = 0;
    QDate LastVisit;
    int NoShows = 0;

    bool operator==(const GuestRecord&) const = default;
};

// The record of the guest whose telephone has the digits of telephone (any mask around them
// ignored), counting reservations dated before before. A telephone without digits has an empty
// record, without reading the database.
RESERVAS_STORE_EXPORT GuestRecord GuestHistory(const AnsiString& telephone, const QDate& before);

// Frees the reservation's tables and marks it cancelled ("C"), when it is still at the version
// the caller read (seenVersion; none: whatever is stored).
enum class CancelResult { Cancelled, NotFound, AlreadyCancelled, Changed };
RESERVAS_STORE_EXPORT CancelResult CancelReservation(const AnsiString& nrresmesa,
                                                     std::optional<qlonglong> seenVersion = {});

// The word a status code shows as: "P" pending, "C" cancelled, "U" used (the guest came), "N"
// the guest did not come; any other code shows as nothing.
RESERVAS_STORE_EXPORT AnsiString StatusWord(const AnsiString& code);

// ---- Service: arrivals, no-shows and who did what ----

// Who writes from this program: the terminal's name and the operator's code, kept with every
// change in the reservation's history; a new reservation carries the code. An empty name, or
// none set, is the machine's name; none set, no operator.
struct RESERVAS_STORE_EXPORT Workstation {
    QString Terminal;
    QString Operator;
};
RESERVAS_STORE_EXPORT void SetWorkstation(const QString& terminal, const QString& operatorCode);
RESERVAS_STORE_EXPORT Workstation CurrentWorkstation();

// Marks a pending reservation arrived ("U", with the time it is marked) or not come ("N"), or
// undoes either mark (pending again), when it is still at the version the caller read. Its
// tables stay held throughout.
enum class ServiceMark { Arrived, NoShow, Undo };
enum class MarkResult { Marked, NotFound, NotAllowed, Changed };
RESERVAS_STORE_EXPORT MarkResult MarkReservation(const AnsiString& nrresmesa, qlonglong seenVersion,
                                                 ServiceMark mark);

// One change of a reservation as the database kept it, in the transaction that made it.
struct RESERVAS_STORE_EXPORT HistoryEntry {
    QDateTime Momento;
    QString Evento; // nova, alterada, cancelada, reativada, chegou, nao_veio, desfeita
    QString Operador;
    QString Terminal;
    // The reservation's fields before and after the change (column name to value); Antes is
    // empty for a new one.
    std::vector<std::pair<QString, QString>> Antes;
    std::vector<std::pair<QString, QString>> Depois;
};

// Oldest first; empty for a reservation made before the database kept histories.
RESERVAS_STORE_EXPORT std::vector<HistoryEntry> ReservationHistory(const AnsiString& nrresmesa);

// ---- Booking with tables ----

// Raised when the reservation being edited changed since this terminal read it for the edit
// (another terminal stored or cancelled it meanwhile). Nothing was stored.
class RESERVAS_STORE_EXPORT ReservationChanged : public Sysutils::Exception {
public:
    ReservationChanged(qlonglong number, StoredReservation read, StoredReservation now,
                       qlonglong nowVersion);
    qlonglong Number() const { return number_; }
    const StoredReservation& Read() const { return read_; }
    const StoredReservation& Now() const { return now_; }
    qlonglong NowVersion() const { return nowVersion_; }

private:
    qlonglong number_;
    StoredReservation read_;
    StoredReservation now_;
    qlonglong nowVersion_;
};

// The operator has seen what changed: the edit goes on from the reservation as stored now.
RESERVAS_STORE_EXPORT void ContinueEditFrom(const ReservationChanged& change);

// Raised when tables the operator picked were taken, since they were offered, by another
// reservation at an overlapping time (or removed from the restaurant). Nothing was stored.
class RESERVAS_STORE_EXPORT TablesTaken : public Sysutils::Exception {
public:
    explicit TablesTaken(std::vector<int> mesas);
    const std::vector<int>& Mesas() const { return mesas_; }

private:
    std::vector<int> mesas_;
};

// Around a reservation's times, on its date: the tables other reservations hold at an
// overlapping time (not pickable: exactly the holdings the database itself would refuse beside
// it), and those the reservation being edited holds now. Both ascending.
struct RESERVAS_STORE_EXPORT TablesAround {
    std::vector<int> Taken;
    std::vector<int> Held;
    // Each table of Taken with the latest end (HHMM) of the holdings that make it taken, by
    // table.
    std::vector<std::pair<int, AnsiString>> TakenUntil;
};

// A stored reservation and the tables it holds.
struct RESERVAS_STORE_EXPORT Booking {
    AnsiString Nrresmesa;
    std::vector<int> Mesas;
    // The hand-off had been stored before (its answer was lost): nothing was stored again.
    bool AlreadyStored = false;
};

// Stores a new reservation (editing empty) or the reservation numbered editing, holding the
// tables mesas; without mesas an edited reservation keeps the tables it holds, at its new
// times. The check that the tables are free and the storing are one write transaction, and the
// database refuses a second holding besides, so two terminals can never hold a table at
// overlapping times: the one that comes second gets TablesTaken. An edited reservation that is
// not there or was cancelled raises; one that changed since LoadReservation read it for this
// edit raises ReservationChanged. identity names the hand-off: a hand-off stored before (its
// answer lost on the way) is not stored again, and comes back with AlreadyStored.
RESERVAS_STORE_EXPORT Booking BookReservation(const StoredReservation& reservation,
                                              std::optional<qlonglong> editing,
                                              const std::optional<std::vector<int>>& mesas,
                                              const QString& identity = {});

// Brings a cancelled reservation back: pending again, holding mesas (none for a restaurant
// that assigns no tables), when it is still cancelled at the version the caller read
// (seenVersion; 0: whatever is stored). The check that the tables are free and the holding are
// one write transaction; a table taken meanwhile raises TablesTaken and nothing is stored.
enum class ReactivateResult { Reactivated, NotFound, NotCancelled, Changed };
RESERVAS_STORE_EXPORT ReactivateResult ReactivateReservation(const AnsiString& nrresmesa,
                                                             qlonglong seenVersion,
                                                             const std::vector<int>& mesas);

// ---- The restaurant's tables ----

struct RESERVAS_STORE_EXPORT RestaurantTable {
    int Number = 0;
    int Seats = 0;

    bool operator==(const RestaurantTable&) const = default;
};

// By number. A database the restaurant never gave a list has twenty tables of four seats; an
// empty list means the restaurant does not assign tables.
RESERVAS_STORE_EXPORT std::vector<RestaurantTable> RestaurantTables();

// What the grid opens with, and reads again while it is open, for a reservation, in one reading:
// the restaurant's tables and the tables around it.
struct RESERVAS_STORE_EXPORT BookingTables {
    std::vector<RestaurantTable> Tables;
    TablesAround Around;
};
RESERVAS_STORE_EXPORT BookingTables TablesForBooking(const StoredReservation& reservation,
                                                     std::optional<qlonglong> editing);

// Reads "1:4,2:2,3:6" (table number, a colon, its seats; blanks allowed around each); an empty
// text is the empty list. Bad text, a number or seat count that is not a positive whole number
// or a table named twice raises Sysutils::Exception naming the culprit.
RESERVAS_STORE_EXPORT std::vector<RestaurantTable> ParseTables(const QString& list);

// Replaces the restaurant's tables. Removing a table that a reservation of today or later
// holds raises Sysutils::Exception naming it and the reservation, and changes nothing.
RESERVAS_STORE_EXPORT void SetRestaurantTables(const std::vector<RestaurantTable>& tables);

// ---- Another reservation of the same guest ----

// The start (HHMM) of the earliest other reservation with the reservation's telephone on its
// date at an overlapping time, pending or used (neither cancelled nor a no-show); nothing when
// there is none or the telephone is empty. The reservation numbered editing never counts, nor
// one that the hand-off named identity stored (an earlier try whose answer was lost).
RESERVAS_STORE_EXPORT std::optional<AnsiString>
SameTelephoneAt(const StoredReservation& reservation, std::optional<qlonglong> editing,
                const QString& identity = {});

// ---- The reservation as a dataset and as JSON ----

// Adds the reservation record's thirteen field definitions, in order, so the caller can
// create the dataset.
RESERVAS_STORE_EXPORT void DefineReservationFields(Dbclient::TClientDataSet& dataset);

// Appends the stored reservation to a created dataset of the reservation record and makes it
// the current record, for an edit: the version read is noted, and the edit stores only over it.
// False when no reservation has that number; a cancelled reservation cannot be edited and
// raises.
RESERVAS_STORE_EXPORT bool LoadReservation(const AnsiString& nrresmesa,
                                           Dbclient::TClientDataSet& target);

// One JSON object (UTF-8), its columns in the record's order.
RESERVAS_STORE_EXPORT QByteArray ReservationJson(const StoredReservation& reservation);
// The same, then "mesas".
RESERVAS_STORE_EXPORT QByteArray DayReservationJson(const DayReservation& reservation);

} // namespace Reservas
