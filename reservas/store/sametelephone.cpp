#include "databaseconnection.h"
#include "databasethread.h"
#include "reservas/store.h"

#include <QVariant>

namespace Reservas {

std::optional<AnsiString> SameTelephoneAt(const StoredReservation& reservation,
                                          std::optional<qlonglong> editing,
                                          const QString& identity) {
    if (ToQString(reservation.NRTELRESMESA).isEmpty()) {
        return std::nullopt;
    }
    return OnDatabaseThread([reservation, editing, identity]() -> std::optional<AnsiString> {
        // Opened for writing, as the booking that follows is: a missing file is created rather
        // than refused, and an older one gains the hand-off identity read below.
        const ReservationDatabase database(DatabaseAccess::Write);
        // Only a pending reservation or one whose guest came stands in the way. Times are HHMM,
        // so their texts sort as the times do; the overlap test is the tables' own.
        QSqlQuery& select = database.Prepare(
            QStringLiteral("SELECT HRINIRESMESA, IDENTREGA FROM RESERVAMESA WHERE NRTELRESMESA = "
                           ":NRTELRESMESA AND DTRESMESA = :DTRESMESA AND HRINIRESMESA < "
                           ":HRFINRESMESA AND :HRINIRESMESA < HRFINRESMESA AND IDSTRESMESA IN "
                           "('P', 'U') AND NRRESMESA <> :NRRESMESA ORDER BY HRINIRESMESA"),
            "BD_LER");
        select.bindValue(QStringLiteral(":NRTELRESMESA"), ToQString(reservation.NRTELRESMESA));
        select.bindValue(QStringLiteral(":DTRESMESA"), reservation.DTRESMESA.toString(Qt::ISODate));
        select.bindValue(QStringLiteral(":HRFINRESMESA"), ToQString(reservation.HRFINRESMESA));
        select.bindValue(QStringLiteral(":HRINIRESMESA"), ToQString(reservation.HRINIRESMESA));
        select.bindValue(QStringLiteral(":NRRESMESA"), editing.value_or(0));
        database.Execute(select, "BD_LER");
        while (select.next()) {
            // An earlier try of this very hand-off, stored though its answer was lost, is the
            // same reservation: the booking finds it and says so.
            if (identity.isEmpty() || select.value(1).toString() != identity) {
                return FromQString(select.value(0).toString());
            }
        }
        return std::nullopt;
    });
}

} // namespace Reservas
