#include "reservas/tablebooking.h"

#include "reservas/packagetexts.h"
#include "reservas/reservationdatabase.h"
#include "reservas/reservationlayout.h"
#include "reservas/reservationtable.h"

#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <iterator>

namespace Reservas {

namespace {

AnsiString takenText(const std::vector<int>& mesas) {
    if (mesas.size() == 1) {
        return Text("MESA_OCUPADA", QString::number(mesas.front()));
    }
    QStringList numbers;
    for (const int mesa : mesas) {
        numbers << QString::number(mesa);
    }
    return Text("MESAS_OCUPADAS", numbers.join(QStringLiteral(", ")));
}

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

// The picked tables another reservation holds by now, or that the restaurant no longer has.
std::vector<int> lostTables(const ReservationDatabase& database,
                            const StoredReservation& reservation, qlonglong except,
                            const std::vector<int>& mesas) {
    QSqlQuery existing =
        database.Run(QStringLiteral("SELECT NRMESA FROM MESA ORDER BY NRMESA"), "BD_LER");
    const std::vector<int> tables = numbersIn(existing);
    const std::vector<int> taken = TablesTakenAt(database, reservation, except);
    std::vector<int> lost;
    for (const int mesa : mesas) {
        if (std::binary_search(taken.begin(), taken.end(), mesa) ||
            !std::binary_search(tables.begin(), tables.end(), mesa)) {
            lost.push_back(mesa);
        }
    }
    return lost;
}

void holdTables(const ReservationDatabase& database, const StoredReservation& reservation,
                qlonglong number, const std::vector<int>& mesas) {
    QSqlQuery release = database.Prepare(
        QStringLiteral("DELETE FROM MESARESERVADA WHERE NRRESMESA = :NRRESMESA"), "BD_GRAVAR");
    release.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(release, "BD_GRAVAR");
    QSqlQuery hold = database.Prepare(
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

void moveHeldTables(const ReservationDatabase& database, const StoredReservation& reservation,
                    qlonglong number) {
    QSqlQuery move = database.Prepare(
        QStringLiteral("UPDATE MESARESERVADA SET DTRESMESA = :DTRESMESA, HRINIRESMESA = "
                       ":HRINIRESMESA, HRFINRESMESA = :HRFINRESMESA WHERE NRRESMESA = :NRRESMESA"),
        "BD_GRAVAR");
    bindTimes(move, reservation);
    move.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(move, "BD_GRAVAR");
}

Booking storeBooking(const ReservationDatabase& database, const StoredReservation& reservation,
                     std::optional<qlonglong> editing,
                     const std::optional<std::vector<int>>& mesas) {
    WriteTransaction transaction(database);
    std::vector<int> held;
    if (mesas) {
        held = *mesas;
        std::vector<int> lost = lostTables(database, reservation, editing.value_or(0), held);
        if (!lost.empty()) {
            throw TablesTaken(std::move(lost));
        }
    }
    qlonglong number = 0;
    if (editing) {
        number = *editing;
        if (!UpdateReservation(database, reservation, number)) {
            Raise("RESERVA_INEXISTENTE", QString::number(number));
        }
    } else {
        number = InsertReservation(database, reservation);
    }
    if (mesas) {
        holdTables(database, reservation, number, held);
    } else {
        moveHeldTables(database, reservation, number);
        held = TablesHeldBy(database, number);
    }
    transaction.Commit();
    return {FromQString(QString::number(number)), held};
}

} // namespace

TablesTaken::TablesTaken(std::vector<int> mesas)
    : Sysutils::Exception(takenText(mesas)), mesas_(std::move(mesas)) {}

std::vector<int> TablesTakenAt(const ReservationDatabase& database,
                               const StoredReservation& reservation, qlonglong except) {
    // Times are HHMM, so their texts sort as the times do.
    QSqlQuery taken = database.Prepare(
        QStringLiteral("SELECT DISTINCT H.NRMESA FROM MESARESERVADA H "
                       "WHERE H.DTRESMESA = :DTRESMESA AND H.HRINIRESMESA < :HRFINRESMESA "
                       "AND :HRINIRESMESA < H.HRFINRESMESA AND H.NRRESMESA <> :NRRESMESA "
                       "ORDER BY H.NRMESA"),
        "BD_LER");
    bindTimes(taken, reservation);
    taken.bindValue(QStringLiteral(":NRRESMESA"), except);
    database.Execute(taken, "BD_LER");
    return numbersIn(taken);
}

std::vector<int> TablesHeldBy(const ReservationDatabase& database, qlonglong number) {
    QSqlQuery held = database.Prepare(QStringLiteral("SELECT NRMESA FROM MESARESERVADA WHERE "
                                                     "NRRESMESA = :NRRESMESA ORDER BY NRMESA"),
                                      "BD_LER");
    held.bindValue(QStringLiteral(":NRRESMESA"), number);
    database.Execute(held, "BD_LER");
    return numbersIn(held);
}

Booking BookReservation(const StoredReservation& reservation, std::optional<qlonglong> editing,
                        const std::optional<std::vector<int>>& mesas) {
    std::optional<std::vector<int>> wanted = mesas;
    if (wanted) {
        // Held in ascending order, so two terminals holding the same tables never wait on
        // each other in a circle.
        std::sort(wanted->begin(), wanted->end());
        wanted->erase(std::unique(wanted->begin(), wanted->end()), wanted->end());
    }
    const ReservationDatabase database(DatabaseAccess::Write);
    // On a server, bookings run side by side: another terminal may hold a table between this
    // one's check and its storing, and the database refuses the second holding.
    constexpr int attempts = 3;
    for (int attempt = 1;; ++attempt) {
        try {
            return storeBooking(database, reservation, editing, wanted);
        } catch (const HoldingConflict&) {
            const std::vector<int> held =
                wanted ? *wanted : TablesHeldBy(database, editing.value_or(0));
            std::vector<int> lost = lostTables(database, reservation, editing.value_or(0), held);
            if (!lost.empty()) {
                throw TablesTaken(std::move(lost));
            }
            // The holding that stood in the way went again before it could be named.
            if (attempt == attempts) {
                Raise("BD_OCUPADO");
            }
        }
    }
}

} // namespace Reservas
