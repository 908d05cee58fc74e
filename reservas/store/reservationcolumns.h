#pragma once

#include "framework/data/db.h"
#include "reservas/store.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <string_view>

namespace Reservas {

// What the store does with a column.
enum class ColumnRole {
    Key,     // the reservation's number, given by the database
    Entered, // typed on the entry screen: stored again when a reservation is edited
    Kept,    // set when the reservation is made and kept by an edit
};

// One column of the reservation record: its name, its field in a dataset, and the member of a
// StoredReservation that holds it (a text, a date or a moment).
struct ReservationColumn {
    std::string_view Name;
    Db::TFieldType Type;
    std::size_t Size; // characters, for a text column
    ColumnRole Role;
    AnsiString StoredReservation::*Text = nullptr;
    QDate StoredReservation::*Date = nullptr;
    QDateTime StoredReservation::*Moment = nullptr;

    QString SqlName() const { return QString::fromLatin1(Name.data(), qsizetype(Name.size())); }
};

// The reservation record, in its order. The dataset fields, the table, its statements and the
// printed form of a reservation all come from here.
inline constexpr std::array<ReservationColumn, 13> ReservationColumns{{
    {"DSRESMESA", Db::TFieldType::ftString, 30, ColumnRole::Entered, &StoredReservation::DSRESMESA},
    {"NRRESMESA", Db::TFieldType::ftString, 10, ColumnRole::Key, &StoredReservation::NRRESMESA},
    {"CDFILIAL", Db::TFieldType::ftString, 4, ColumnRole::Kept, &StoredReservation::CDFILIAL},
    {"CDLOJA", Db::TFieldType::ftString, 10, ColumnRole::Kept, &StoredReservation::CDLOJA},
    {"DTRESMESA", Db::TFieldType::ftDateTime, 0, ColumnRole::Entered, nullptr,
     &StoredReservation::DTRESMESA},
    {"HRINIRESMESA", Db::TFieldType::ftString, 4, ColumnRole::Entered,
     &StoredReservation::HRINIRESMESA},
    {"HRFINRESMESA", Db::TFieldType::ftString, 4, ColumnRole::Entered,
     &StoredReservation::HRFINRESMESA},
    {"NMRESMESA", Db::TFieldType::ftString, 50, ColumnRole::Entered, &StoredReservation::NMRESMESA},
    {"NRTELRESMESA", Db::TFieldType::ftString, 25, ColumnRole::Entered,
     &StoredReservation::NRTELRESMESA},
    {"NRPESRESMESA", Db::TFieldType::ftString, 3, ColumnRole::Entered,
     &StoredReservation::NRPESRESMESA},
    {"IDSTRESMESA", Db::TFieldType::ftString, 1, ColumnRole::Kept, &StoredReservation::IDSTRESMESA},
    {"CDOPERINCRES", Db::TFieldType::ftString, 12, ColumnRole::Kept,
     &StoredReservation::CDOPERINCRES},
    {"DTHRINCLURES", Db::TFieldType::ftDate, 0, ColumnRole::Kept, nullptr, nullptr,
     &StoredReservation::DTHRINCLURES},
}};

// Who changed the reservation last, on which terminal and when: every write sets them, and the
// database copies them into the reservation's history (workstation.h binds them).
inline constexpr std::array<std::string_view, 3> WhoColumns{"CDOPERALTRES", "NMTERMALTRES",
                                                            "DTHRALTRES"};
// The column of the time the guest arrived, HHMM.
inline constexpr auto ArrivalColumn = "HRCHEGRESMESA";

// The columns an insert stores (all but the number) and an update stores again (the entered
// ones).
bool StoredByInsert(const ReservationColumn& column);
bool StoredByUpdate(const ReservationColumn& column);

// The statements on the table of reservations, RESERVAMESA: create it, add a reservation (its
// number is given by the database), change what the operator enters in the reservation
// :NRRESMESA, and read the reservation :NRRESMESA. Values are bound by column name.
// The insert stores the hand-off's identity :IDENTREGA and who writes beside the columns, and
// the update too,
// only while the reservation is not cancelled and, with checkVersion, still at :NRVERSAO. With
// withVersion the selects read the version NRVERSAO after the columns.
QString CreateTableSql(DatabaseEngine engine);
QString InsertSql();
QString UpdateSql(bool checkVersion);
QString SelectSql(bool withVersion);
// The reservations of the day :DTRESMESA, by start time and then number, each with the values
// of extraColumns last; the reservations' table is named R.
QString DaySelectSql(bool withVersion, const QStringList& extraColumns = {});

// A column's value as the table keeps it: text, a date as YYYY-MM-DD, a moment as
// YYYY-MM-DD HH:MM:SS (read also from a date alone, kept before moments were).
QString ColumnValue(const StoredReservation& reservation, const ReservationColumn& column);
void SetColumnValue(StoredReservation& reservation, const ReservationColumn& column,
                    const QString& value);
QDateTime MomentOf(const QString& value);

} // namespace Reservas
