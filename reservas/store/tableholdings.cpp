#include "tableholdings.h"

#include "databaseconnection.h"

#include <QVariant>

namespace Reservas {

namespace {

std::vector<int> numbersIn(QSqlQuery& query) {
    std::vector<int> numbers;
    while (query.next()) {
        numbers.push_back(query.value(0).toInt());
    }
    return numbers;
}

void bindTimes(QSqlQuery& query, const StoredReservation& reservation) {
    query.bindValue(QStringLiteral(":DTRESMESA"), reservation.DTRESMESA.toString(Qt::ISODate));
    query.bindValue(QStringLiteral(":HRINIRESMESA"), ToQString(reservation.HRINIRESMESA));
    query.bindValue(QStringLiteral(":HRFINRESMESA"), ToQString(reservation.HRFINRESMESA));
}

// The tables held at times that overlap the reservation's, save by the reservation :NRRESMESA.
// Times are HHMM, so their texts sort as the times do.
const QString takenSelect =
    QStringLiteral("SELECT DISTINCT H.NRMESA FROM MESARESERVADA H "
                   "WHERE H.DTRESMESA = :DTRESMESA AND H.HRINIRESMESA < :HRFINRESMESA "
                   "AND :HRINIRESMESA < H.HRFINRESMESA AND H.NRRESMESA <> :NRRESMESA");

} // namespace

std::vector<int> TablesTakenAt(const ReservationDatabase& database,
                               const StoredReservation& reservation, qlonglong except) {
    QSqlQuery& taken =
        database.Prepare(takenSelect + QStringLiteral(" ORDER BY H.NRMESA"), "BD_LER");
    bindTimes(taken, reservation);
    taken.bindValue(QStringLiteral(":NRRESMESA"), except);
    database.Execute(taken, "BD_LER");
    return numbersIn(taken);
}

std::vector<int> TablesHeldBy(const ReservationDatabase& database, qlonglong number) {
    QSqlQuery& held = database.Prepare(QStringLiteral("SELECT NRMESA FROM MESARESERVADA WHERE "
                                                      "NRRESMESA = :NRRESMESA ORDER BY NRMESA"),
                                       "BD_LER");
    held.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(held, "BD_LER");
    return numbersIn(held);
}

void HoldTables(const ReservationDatabase& database, const StoredReservation& reservation,
                qlonglong number, const std::vector<int>& mesas) {
    ReleaseTables(database, number);
    QSqlQuery& hold = database.Prepare(
        QStringLiteral("INSERT INTO MESARESERVADA (NRRESMESA, NRMESA, DTRESMESA, HRINIRESMESA, "
                       "HRFINRESMESA) VALUES (:NRRESMESA, :NRMESA, :DTRESMESA, :HRINIRESMESA, "
                       ":HRFINRESMESA)"),
        "BD_GRAVAR");
    for (const int mesa : mesas) {
        hold.bindValue(QStringLiteral(":NRRESMESA"), number);
        hold.bindValue(QStringLiteral(":NRMESA"), mesa);
        bindTimes(hold, reservation);
        database.Execute(hold, "BD_GRAVAR");
    }
}

void MoveHeldTables(const ReservationDatabase& database, const StoredReservation& reservation,
                    qlonglong number) {
    QSqlQuery& move = database.Prepare(
        QStringLiteral("UPDATE MESARESERVADA SET DTRESMESA = :DTRESMESA, HRINIRESMESA = "
                       ":HRINIRESMESA, HRFINRESMESA = :HRFINRESMESA WHERE NRRESMESA = :NRRESMESA"),
        "BD_GRAVAR");
    bindTimes(move, reservation);
    move.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(move, "BD_GRAVAR");
}

void ReleaseTables(const ReservationDatabase& database, qlonglong number) {
    QSqlQuery& release = database.Prepare(
        QStringLiteral("DELETE FROM MESARESERVADA WHERE NRRESMESA = :NRRESMESA"), "BD_GRAVAR");
    release.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(release, "BD_GRAVAR");
}

BookingTables TablesAndHoldings(const ReservationDatabase& database,
                                const StoredReservation& reservation, qlonglong editing) {
    // One statement rather than three: over a network each costs a round trip. The first column
    // says which list a row belongs to.
    QSqlQuery& select = database.Prepare(
        QStringLiteral("SELECT 0, NRMESA, NRLUGARES FROM MESA UNION ALL SELECT 1, NRMESA, 0 FROM "
                       "(%1) TAKEN UNION ALL SELECT 2, NRMESA, 0 FROM MESARESERVADA WHERE "
                       "NRRESMESA = :EDITADA ORDER BY 1, 2")
            .arg(takenSelect),
        "BD_LER");
    bindTimes(select, reservation);
    select.bindValue(QStringLiteral(":NRRESMESA"), editing);
    select.bindValue(QStringLiteral(":EDITADA"), editing);
    database.Execute(select, "BD_LER");
    BookingTables found;
    while (select.next()) {
        const int mesa = select.value(1).toInt();
        switch (select.value(0).toInt()) {
        case 0:
            found.Tables.push_back({mesa, select.value(2).toInt()});
            break;
        case 1:
            found.Around.Taken.push_back(mesa);
            break;
        default:
            found.Around.Held.push_back(mesa);
        }
    }
    return found;
}

std::vector<int> TableNumbers(const ReservationDatabase& database) {
    QSqlQuery& existing =
        database.Prepare(QStringLiteral("SELECT NRMESA FROM MESA ORDER BY NRMESA"), "BD_LER");
    database.Execute(existing, "BD_LER");
    return numbersIn(existing);
}

} // namespace Reservas
