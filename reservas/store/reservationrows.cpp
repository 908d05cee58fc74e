#include "reservationrows.h"

#include "databaseconnection.h"
#include "databaseengine.h"
#include "reservationcolumns.h"
#include "schema.h"
#include "storetexts.h"
#include "workstation.h"

#include <QVariant>
#include <algorithm>

namespace Reservas {

namespace {

// Binds the value of every column the statement stores.
void bindColumns(QSqlQuery& query, const StoredReservation& reservation,
                 bool (*stored)(const ReservationColumn&)) {
    for (const ReservationColumn& column : ReservationColumns) {
        if (stored(column)) {
            query.bindValue(QLatin1Char(':') + column.SqlName(), ColumnValue(reservation, column));
        }
    }
}

// No identity is stored as none at all, so that the identities stay unique.
void bindIdentity(QSqlQuery& query, const QString& identity) {
    query.bindValue(QStringLiteral(":IDENTREGA"),
                    identity.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : identity);
}

} // namespace

std::optional<qlonglong> ReservationNumber(const AnsiString& nrresmesa) {
    bool valid = false;
    const qlonglong number = ToQString(nrresmesa).trimmed().toLongLong(&valid);
    if (!valid || number <= 0) {
        return std::nullopt;
    }
    return number;
}

qlonglong InsertReservation(const ReservationDatabase& database,
                            const StoredReservation& reservation, const QString& identity) {
    QSqlQuery& insert = database.Prepare(InsertSql(), "BD_GRAVAR");
    bindColumns(insert, reservation, StoredByInsert);
    bindIdentity(insert, identity);
    BindWorkstation(insert);
    database.Execute(insert, "BD_GRAVAR");
    if (!insert.next()) {
        RaiseWithDetail(FailureDetail(insert.lastError()), "BD_GRAVAR",
                        ParseDatabaseLocation(DatabaseLocationText()).Shown());
    }
    return insert.value(0).toLongLong();
}

bool UpdateReservation(const ReservationDatabase& database, const StoredReservation& reservation,
                       qlonglong number, qlonglong version, const QString& identity) {
    QSqlQuery& update = database.Prepare(UpdateSql(version != 0), "BD_GRAVAR");
    bindColumns(update, reservation, StoredByUpdate);
    bindIdentity(update, identity);
    BindWorkstation(update);
    update.bindValue(QStringLiteral(":NRRESMESA"), number);
    if (version != 0) {
        update.bindValue(QStringLiteral(":NRVERSAO"), version);
    }
    database.Execute(update, "BD_GRAVAR");
    return update.numRowsAffected() > 0;
}

bool SetStatusAt(const ReservationDatabase& database, qlonglong number, qlonglong version,
                 const char* status, const QString& arrival) {
    // The arrival time goes with the arrival mark alone.
    QSqlQuery& update = database.Prepare(
        QStringLiteral("UPDATE RESERVAMESA SET IDSTRESMESA = :IDSTRESMESA, %1 = :%1, %2 WHERE "
                       "NRRESMESA = :NRRESMESA AND NRVERSAO = :NRVERSAO")
            .arg(QLatin1String(ArrivalColumn), WorkstationAssignments()),
        "BD_GRAVAR");
    update.bindValue(QStringLiteral(":IDSTRESMESA"), QString::fromLatin1(status));
    update.bindValue(QLatin1Char(':') + QLatin1String(ArrivalColumn),
                     arrival.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : arrival);
    BindWorkstation(update);
    update.bindValue(QStringLiteral(":NRRESMESA"), number);
    update.bindValue(QStringLiteral(":NRVERSAO"), version);
    database.Execute(update, "BD_GRAVAR");
    return update.numRowsAffected() > 0;
}

StoredRow ReadRow(const QSqlQuery& query, bool withVersion) {
    // By position, as the selects list them: asking by name would make the server's driver look
    // up the table's name, a round trip of its own.
    StoredRow row;
    int position = 0;
    for (const ReservationColumn& column : ReservationColumns) {
        SetColumnValue(row.Reservation, column, query.value(position++).toString());
    }
    if (withVersion) {
        row.Versao = query.value(position).toLongLong();
    }
    return row;
}

QStringList ListedColumns(const ReservationDatabase& database) {
    QStringList columns;
    // A database from before the tables holds none.
    if (database.Version() >= 2) {
        columns << HeldTablesColumn(database.Engine());
    }
    if (database.Version() >= FirstVersionWithHistory) {
        // The visits a guest made before, counted by the telephone's index.
        columns << QLatin1String(ArrivalColumn)
                << QStringLiteral("(SELECT COUNT(*) FROM RESERVAMESA V WHERE V.NRTELRESMESA = "
                                  "R.NRTELRESMESA AND V.IDSTRESMESA = 'U' AND V.DTRESMESA < "
                                  "R.DTRESMESA AND R.NRTELRESMESA <> '')");
    }
    return columns;
}

DayReservation ReadListedRow(const QSqlQuery& query, const ReservationDatabase& database) {
    const bool withVersion = database.HasVersions();
    const StoredRow row = ReadRow(query, withVersion);
    DayReservation reservation;
    reservation.Reservation = row.Reservation;
    reservation.Versao = row.Versao;
    int position = int(ReservationColumns.size()) + (withVersion ? 1 : 0);
    if (database.Version() >= 2) {
        for (const QString& mesa :
             query.value(position++).toString().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            reservation.Mesas.push_back(mesa.toInt());
        }
        std::sort(reservation.Mesas.begin(), reservation.Mesas.end());
    }
    if (database.Version() >= FirstVersionWithHistory) {
        reservation.Chegada = FromQString(query.value(position++).toString());
        reservation.Visitas = query.value(position).toInt();
    }
    return reservation;
}

std::optional<StoredRow> SelectReservation(const ReservationDatabase& database, qlonglong number) {
    const bool withVersion = database.HasVersions();
    QSqlQuery& select = database.Prepare(SelectSql(withVersion), "BD_LER");
    select.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(select, "BD_LER");
    if (!select.next()) {
        return std::nullopt;
    }
    return ReadRow(select, withVersion);
}

std::optional<qlonglong> StoredByHandOff(const ReservationDatabase& database,
                                         const QString& identity) {
    QSqlQuery& select = database.Prepare(
        QStringLiteral("SELECT NRRESMESA FROM RESERVAMESA WHERE IDENTREGA = :IDENTREGA"), "BD_LER");
    select.bindValue(QStringLiteral(":IDENTREGA"), identity);
    database.Execute(select, "BD_LER");
    if (!select.next()) {
        return std::nullopt;
    }
    return select.value(0).toLongLong();
}

} // namespace Reservas
