#include "databaseconnection.h"
#include "databasethread.h"
#include "reservas/store.h"

#include <QVariant>
#include <algorithm>
#include <iterator>

namespace Reservas {

GuestRecord GuestHistory(const AnsiString& telephone, const QDate& before) {
    // Stored telephones are digits only; the caller's may carry the entry screen's mask.
    AnsiString digits;
    std::copy_if(telephone.begin(), telephone.end(), std::back_inserter(digits),
                 [](char character) { return character >= '0' && character <= '9'; });
    if (digits.empty()) {
        return {};
    }
    return OnDatabaseThread([digits = ToQString(digits), before] {
        const ReservationDatabase database(DatabaseAccess::Read);
        QSqlQuery& select = database.Prepare(
            QStringLiteral("SELECT COUNT(CASE WHEN IDSTRESMESA = 'U' THEN 1 END), MAX(CASE WHEN "
                           "IDSTRESMESA = 'U' THEN DTRESMESA END), COUNT(CASE WHEN IDSTRESMESA = "
                           "'N' THEN 1 END) FROM RESERVAMESA WHERE NRTELRESMESA = :NRTELRESMESA "
                           "AND DTRESMESA < :ANTES"),
            "BD_LER");
        select.bindValue(QStringLiteral(":NRTELRESMESA"), digits);
        select.bindValue(QStringLiteral(":ANTES"), before.toString(Qt::ISODate));
        database.Execute(select, "BD_LER");
        GuestRecord record;
        if (select.next()) {
            record.Visits = select.value(0).toInt();
            record.LastVisit = QDate::fromString(select.value(1).toString(), Qt::ISODate);
            record.NoShows = select.value(2).toInt();
        }
        return record;
    });
}

} // namespace Reservas
