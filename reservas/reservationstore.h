#pragma once

#include "framework/ansistring.h"
#include "reservas/reservas_export.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

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
// cannot be opened or read, or another terminal keeps it busy. The reading ones leave the file
// as it is: a missing file, or one without the reservations, raises.

// The database file. Unset, it is reservas.db in the user's application data folder; the file
// and its folder are created when the first reservation is stored.
RESERVAS_EXPORT void SetDatabaseFile(const QString& file);
RESERVAS_EXPORT QString DatabaseFile();

// Told the number of each reservation once it is stored; an empty function stops the telling.
using TStoredObserver = std::function<void(const AnsiString& nrresmesa)>;
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

} // namespace Reservas
