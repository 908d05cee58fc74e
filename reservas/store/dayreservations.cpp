#include "databaseconnection.h"
#include "databaseengine.h"
#include "databasethread.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"
#include "schema.h"

#include <QVariant>
#include <algorithm>

namespace Reservas {

std::vector<DayReservation> ReservationsOfDay(const QDate& day) {
    return OnDatabaseThread([day] {
        const ReservationDatabase database(DatabaseAccess::Read);
        // The tables come with their reservations: one statement, one round trip.
        QSqlQuery& select = database.Prepare(
            DaySelectSql(database.HasVersions(), ListedColumns(database)), "BD_LER");
        select.bindValue(QStringLiteral(":DTRESMESA"), day.toString(Qt::ISODate));
        database.Execute(select, "BD_LER");
        std::vector<DayReservation> reservations;
        while (select.next()) {
            reservations.push_back(ReadListedRow(select, database));
        }
        return reservations;
    });
}

} // namespace Reservas
