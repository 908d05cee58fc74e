#include "reservationrows.h"

#include "databaseconnection.h"
#include "reservationcolumns.h"
#include "storetexts.h"

#include <QVariant>

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
                            const StoredReservation& reservation) {
    QSqlQuery insert = database.Prepare(InsertSql(), "BD_GRAVAR");
    bindColumns(insert, reservation, StoredByInsert);
    database.Execute(insert, "BD_GRAVAR");
    if (!insert.next()) {
        Raise("BD_GRAVAR", DatabaseLocationText(), insert.lastError().text());
    }
    return insert.value(0).toLongLong();
}

bool UpdateReservation(const ReservationDatabase& database, const StoredReservation& reservation,
                       qlonglong number) {
    QSqlQuery update = database.Prepare(UpdateSql(), "BD_GRAVAR");
    bindColumns(update, reservation, StoredByUpdate);
    update.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(update, "BD_GRAVAR");
    return update.numRowsAffected() > 0;
}

std::optional<StoredReservation> SelectReservation(const ReservationDatabase& database,
                                                   qlonglong number) {
    QSqlQuery select = database.Prepare(SelectSql(), "BD_LER");
    select.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(select, "BD_LER");
    if (!select.next()) {
        return std::nullopt;
    }
    StoredReservation reservation;
    for (const ReservationColumn& column : ReservationColumns) {
        SetColumnValue(reservation, column, select.value(column.SqlName()).toString());
    }
    return reservation;
}

} // namespace Reservas
