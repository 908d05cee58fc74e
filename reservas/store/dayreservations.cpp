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
        const bool withVersion = database.HasVersions();
        // A database from before the tables holds none. The tables come with their
        // reservations: one statement, one round trip.
        const bool withTables = database.Version() >= 2;
        const bool withService = database.Version() >= FirstVersionWithHistory;
        QStringList extraColumns;
        if (withTables) {
            extraColumns << HeldTablesColumn(database.Engine());
        }
        if (withService) {
            // The visits a guest made before, counted by the telephone's index.
            extraColumns << QLatin1String(ArrivalColumn)
                         << QStringLiteral("(SELECT COUNT(*) FROM RESERVAMESA V WHERE "
                                           "V.NRTELRESMESA = R.NRTELRESMESA AND V.IDSTRESMESA = "
                                           "'U' AND V.DTRESMESA < R.DTRESMESA AND "
                                           "R.NRTELRESMESA <> '')");
        }
        QSqlQuery& select = database.Prepare(DaySelectSql(withVersion, extraColumns), "BD_LER");
        select.bindValue(QStringLiteral(":DTRESMESA"), day.toString(Qt::ISODate));
        database.Execute(select, "BD_LER");
        const int tablesColumn = int(ReservationColumns.size()) + (withVersion ? 1 : 0);
        const int arrivalColumn = tablesColumn + (withTables ? 1 : 0);
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
            if (withService) {
                reservation.Chegada = FromQString(select.value(arrivalColumn).toString());
                reservation.Visitas = select.value(arrivalColumn + 1).toInt();
            }
            reservations.push_back(std::move(reservation));
        }
        return reservations;
    });
}

} // namespace Reservas
