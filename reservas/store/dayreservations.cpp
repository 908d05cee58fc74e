#include "databaseconnection.h"
#include "databaseengine.h"
#include "databasethread.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"

#include <QVariant>
#include <algorithm>

namespace Reservas {

std::vector<DayReservation> ReservationsOfDay(const QDate& day) {
    return OnDatabaseThread([day] {
        const ReservationDatabase database(DatabaseAccess::Read);
        const bool withVersion = database.HasVersions();
        // A database from before the tables holds none. The tables come with their
        // reservations: one statement, one round trip.
        const bool withTables = database.Version() >= 2;
        QSqlQuery& select = database.Prepare(
            DaySelectSql(withVersion, withTables ? HeldTablesColumn(database.Engine()) : QString()),
            "BD_LER");
        select.bindValue(QStringLiteral(":DTRESMESA"), day.toString(Qt::ISODate));
        database.Execute(select, "BD_LER");
        const int tablesColumn = int(ReservationColumns.size()) + (withVersion ? 1 : 0);
        std::vector<DayReservation> reservations;
        while (select.next()) {
            DayReservation reservation;
            const StoredRow row = ReadRow(select, withVersion);
            reservation.Reservation = row.Reservation;
            reservation.Versao = row.Versao;
            if (withTables) {
                for (const QString& mesa : select.value(tablesColumn)
                                               .toString()
                                               .split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                    reservation.Mesas.push_back(mesa.toInt());
                }
                std::sort(reservation.Mesas.begin(), reservation.Mesas.end());
            }
            reservations.push_back(std::move(reservation));
        }
        return reservations;
    });
}

} // namespace Reservas
