#include "reservas/packagetexts.h"
#include "reservas/reservationdatabase.h"
#include "reservas/reservationlayout.h"
#include "reservas/reservationstore.h"
#include "reservas/reservationtable.h"

#include <QHash>
#include <QVariant>

namespace Reservas {

namespace {

// The tables held on a day, by reservation number, each list ascending. A file from before
// the tables holds none.
QHash<qlonglong, std::vector<int>> tablesHeldOn(const ReservationDatabase& database,
                                                const QString& day) {
    QHash<qlonglong, std::vector<int>> held;
    if (!database.HasTable(QStringLiteral("MESARESERVADA"))) {
        return held;
    }
    QSqlQuery select = database.Prepare(
        QStringLiteral("SELECT NRRESMESA, NRMESA FROM MESARESERVADA WHERE DTRESMESA = "
                       ":DTRESMESA ORDER BY NRMESA"),
        "BD_LER");
    select.bindValue(QStringLiteral(":DTRESMESA"), day);
    database.Execute(select, "BD_LER");
    while (select.next()) {
        held[select.value(0).toLongLong()].push_back(select.value(1).toInt());
    }
    return held;
}

} // namespace

void PrepareDatabase() {
    const ReservationDatabase database(DatabaseAccess::Write);
}

std::vector<DayReservation> ReservationsOfDay(const QDate& day) {
    const ReservationDatabase database(DatabaseAccess::Read);
    const QString dayText = day.toString(Qt::ISODate);
    QSqlQuery select = database.Prepare(DaySelectSql(), "BD_LER");
    select.bindValue(QStringLiteral(":DTRESMESA"), dayText);
    database.Execute(select, "BD_LER");
    const QHash<qlonglong, std::vector<int>> held = tablesHeldOn(database, dayText);
    std::vector<DayReservation> reservations;
    while (select.next()) {
        DayReservation reservation;
        for (const ReservationColumn& column : ReservationColumns) {
            SetColumnValue(reservation.Reservation, column,
                           select.value(column.SqlName()).toString());
        }
        reservation.Mesas = held.value(select.value(QStringLiteral("NRRESMESA")).toLongLong());
        reservations.push_back(std::move(reservation));
    }
    return reservations;
}

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
    QSqlQuery release = database.Prepare(
        QStringLiteral("DELETE FROM MESARESERVADA WHERE NRRESMESA = :NRRESMESA"), "BD_GRAVAR");
    release.bindValue(QStringLiteral(":NRRESMESA"), *number);
    database.Execute(release, "BD_GRAVAR");
    transaction.Commit();
    return true;
}

AnsiString StatusWord(const AnsiString& code) {
    if (code == "P") {
        return Text("SIT_PENDENTE");
    }
    if (code == "C") {
        return Text("SIT_CANCELADA");
    }
    if (code == "U") {
        return Text("SIT_UTILIZADA");
    }
    return {};
}

} // namespace Reservas
