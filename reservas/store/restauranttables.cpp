#include "databaseconnection.h"
#include "databasethread.h"
#include "reservas/store.h"
#include "storetexts.h"

#include "framework/datetime.h"

#include <QVariant>
#include <algorithm>
#include <set>

namespace Reservas {

namespace {

int positiveNumber(const QString& text, const QString& entry) {
    bool valid = false;
    const int number = text.trimmed().toInt(&valid);
    if (!valid || number <= 0) {
        Raise("MESAS_INV", entry.trimmed());
    }
    return number;
}

// The first table of the old list that is missing from the new one and that a reservation of
// today or later holds, with that reservation's number.
std::optional<std::pair<int, qlonglong>>
heldTableRemoved(const ReservationDatabase& database, const std::vector<RestaurantTable>& tables) {
    // Run once in a while: not worth preparing, which a server answers on its own. The date, in
    // digits and dashes, goes into the text as it stands.
    QSqlQuery held = database.Run(
        QStringLiteral("SELECT NRMESA, MIN(NRRESMESA) FROM MESARESERVADA WHERE DTRESMESA >= '%1' "
                       "GROUP BY NRMESA ORDER BY NRMESA")
            .arg(Sysutils::DecodeDateTime(Sysutils::Date()).date().toString(Qt::ISODate)),
        "BD_LER");
    while (held.next()) {
        const int mesa = held.value(0).toInt();
        const bool kept =
            std::any_of(tables.begin(), tables.end(),
                        [mesa](const RestaurantTable& t) { return t.Number == mesa; });
        if (!kept) {
            return std::pair(mesa, held.value(1).toLongLong());
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<RestaurantTable> RestaurantTables() {
    return OnDatabaseThread([] {
        const ReservationDatabase database(DatabaseAccess::Write);
        QSqlQuery select = database.Run(
            QStringLiteral("SELECT NRMESA, NRLUGARES FROM MESA ORDER BY NRMESA"), "BD_LER");
        std::vector<RestaurantTable> tables;
        while (select.next()) {
            tables.push_back({select.value(0).toInt(), select.value(1).toInt()});
        }
        return tables;
    });
}

std::vector<RestaurantTable> ParseTables(const QString& list) {
    std::vector<RestaurantTable> tables;
    if (list.trimmed().isEmpty()) {
        return tables;
    }
    std::set<int> numbers;
    for (const QString& entry : list.split(QLatin1Char(','))) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        if (parts.size() != 2) {
            Raise("MESAS_INV", entry.trimmed());
        }
        const RestaurantTable table{positiveNumber(parts[0], entry),
                                    positiveNumber(parts[1], entry)};
        if (!numbers.insert(table.Number).second) {
            Raise("MESA_REPETIDA", QString::number(table.Number));
        }
        tables.push_back(table);
    }
    std::sort(tables.begin(), tables.end(), [](const RestaurantTable& a, const RestaurantTable& b) {
        return a.Number < b.Number;
    });
    return tables;
}

void SetRestaurantTables(const std::vector<RestaurantTable>& tables) {
    OnDatabaseThread([tables] {
        const ReservationDatabase database(DatabaseAccess::Write);
        // No booking runs meanwhile, so a table being removed cannot be taken as it goes.
        WriteTransaction transaction(database, "BD_MESAS", TransactionKind::Exclusive);
        if (const auto removed = heldTableRemoved(database, tables)) {
            Raise("MESA_EM_USO", QString::number(removed->first), QString::number(removed->second));
        }
        // Numbers only, so written into the statement: the whole list in one.
        QStringList writes{QStringLiteral("DELETE FROM MESA")};
        QStringList rows;
        for (const RestaurantTable& table : tables) {
            rows << QStringLiteral("(%1, %2)").arg(table.Number).arg(table.Seats);
        }
        if (!rows.isEmpty()) {
            writes << QStringLiteral("INSERT INTO MESA (NRMESA, NRLUGARES) VALUES ") +
                          rows.join(QStringLiteral(", "));
        }
        transaction.CommitAfter(writes, "BD_MESAS");
    });
}

} // namespace Reservas
