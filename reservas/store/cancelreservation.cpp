#include "databaseconnection.h"
#include "reservas/store.h"
#include "tableholdings.h"

#include <QVariant>

namespace Reservas {

bool CancelReservation(const AnsiString& nrresmesa) {
    const std::optional<qlonglong> number = ReservationNumber(nrresmesa);
    if (!number) {
        return false;
    }
    const ReservationDatabase database(DatabaseAccess::Write);
    WriteTransaction transaction(database);
    QSqlQuery cancel = database.Prepare(
        QStringLiteral("UPDATE RESERVAMESA SET IDSTRESMESA = 'C' WHERE NRRESMESA = :NRRESMESA"),
        "BD_GRAVAR");
    cancel.bindValue(QStringLiteral(":NRRESMESA"), *number);
    database.Execute(cancel, "BD_GRAVAR");
    if (cancel.numRowsAffected() == 0) {
        return false;
    }
    ReleaseTables(database, *number);
    transaction.Commit();
    return true;
}

} // namespace Reservas
