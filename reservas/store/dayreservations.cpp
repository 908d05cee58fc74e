#include "databaseconnection.h"
#include "databasethread.h"
#include "reservas/store.h"
#include "reservationcolumns.h"
#include "reservationrows.h"
#include "tableholdings.h"

#include <QVariant>

namespace Reservas {

std::vector<DayReservation> ReservationsOfDay(const QDate& day) {
    return OnDatabaseThread([day] {
        const ReservationDatabase database(DatabaseAccess::Read);
        const bool withVersion = database.HasVersions();
        QSqlQuery& select = database.Prepare(DaySelectSql(withVersion), "BD_LER");
        select.bindValue(QStringLiteral(":DTRESMESA"), day.toString(Qt::ISODate));
        database.Execute(select, "BD_LER");
        const QHash<qlonglong, std::vector<int>> held = TablesHeldOn(database, day);
        std::vector<DayReservation> reservations;
        while (select.next()) {
            DayReservation reservation;
            const StoredRow row = ReadRow(select, withVersion);
            reservation.Reservation = row.Reservation;
            reservation.Versao = row.Versao;
            reservation.Mesas = held.value(select.value(QStringLiteral("NRRESMESA")).toLongLong());
            reservations.push_back(std::move(reservation));
        }
        return reservations;
    });
}

} // namespace Reservas
