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

// The holdings at times that overlap the reservation's, save the reservation :NRRESMESA's.
// Times are HHMM, so their texts sort as the times do.
const QString overlappingHoldings =
    QStringLiteral("FROM MESARESERVADA H "
                   "WHERE H.DTRESMESA = :DTRESMESA AND H.HRINIRESMESA < :HRFINRESMESA "
                   "AND :HRINIRESMESA < H.HRFINRESMESA AND H.NRRESMESA <> :NRRESMESA");

// The tables those holdings take.
const QString takenSelect = QStringLiteral("SELECT DISTINCT H.NRMESA ") + overlappingHoldings;

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
    // says which list a row belongs to; a taken table comes with the latest end among its
    // holdings, to say until when it is taken.
    QSqlQuery& select = database.Prepare(
        QStringLiteral("SELECT 0, NRMESA, NRLUGARES, NULL FROM MESA UNION ALL SELECT 1, NRMESA, "
                       "0, ATE FROM (SELECT H.NRMESA, MAX(H.HRFINRESMESA) AS ATE %1 GROUP BY "
                       "H.NRMESA) TAKEN UNION ALL SELECT 2, NRMESA, 0, NULL FROM MESARESERVADA "
                       "WHERE NRRESMESA = :EDITADA ORDER BY 1, 2")
            .arg(overlappingHoldings),
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
            found.Around.TakenUntil.emplace_back(mesa, FromQString(select.value(3).toString()));
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
