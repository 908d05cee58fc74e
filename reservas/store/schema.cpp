#include "schema.h"

#include "databaseconnection.h"
#include "history.h"
#include "reservationcolumns.h"
#include "serverbooking.h"

#include <QVariant>

namespace Reservas {

namespace {

// 1: the reservations alone; 2: the restaurant's tables and the tables each reservation holds;
// 3: the database itself refuses a table held twice at overlapping times; 4: each reservation
// has a version and the identity of the hand-off that stored it, a cancelled reservation holds
// no table, and every change is told to the terminals that listen; 5: a day's reservations are
// found by their date, however many past ones the database keeps; 6: a server books in one
// statement (serverbooking.h); 7: arrivals, no-shows and the history of every change
// (history.h), the booking function taking who books.
constexpr int currentVersion = CurrentSchemaVersion;

constexpr int defaultTables = 20;
constexpr int defaultSeats = 4;

} // namespace

int SchemaVersion(const ReservationDatabase& database) {
    const QString read = QStringLiteral("SELECT MAX(VERSAO) FROM VERSAOESQUEMA");
    // Nearly every database has the table: one statement then says it all. In a transaction a
    // failed statement would spoil it on a server, so there the table is looked for first.
    if (!database.InTransaction()) {
        if (std::optional<QSqlQuery> version = database.TryRun(read)) {
            return version->next() ? version->value(0).toInt() : 0;
        }
    }
    if (!database.HasTable(QStringLiteral("VERSAOESQUEMA"))) {
        return database.HasTable(QStringLiteral("RESERVAMESA")) ? 1 : 0;
    }
    QSqlQuery version = database.Run(read, "BD_ABRIR");
    return version.next() ? version.value(0).toInt() : 0;
}

namespace {

void addTables(const ReservationDatabase& database) {
    database.Run(QStringLiteral("CREATE TABLE MESA (NRMESA INTEGER PRIMARY KEY, "
                                "NRLUGARES INTEGER NOT NULL)"),
                 "BD_ABRIR");
    database.Run(QStringLiteral("CREATE TABLE MESARESERVADA (NRRESMESA BIGINT NOT NULL, "
                                "NRMESA INTEGER NOT NULL, DTRESMESA TEXT NOT NULL, "
                                "HRINIRESMESA TEXT NOT NULL, HRFINRESMESA TEXT NOT NULL, "
                                "PRIMARY KEY (NRRESMESA, NRMESA))"),
                 "BD_ABRIR");
    database.Run(QStringLiteral("CREATE INDEX MESARESERVADA_DIA ON MESARESERVADA (DTRESMESA)"),
                 "BD_ABRIR");
    QSqlQuery& insert = database.Prepare(
        QStringLiteral("INSERT INTO MESA (NRMESA, NRLUGARES) VALUES (:NRMESA, :NRLUGARES)"),
        "BD_ABRIR");
    for (int number = 1; number <= defaultTables; ++number) {
        insert.bindValue(QStringLiteral(":NRMESA"), number);
        insert.bindValue(QStringLiteral(":NRLUGARES"), defaultSeats);
        database.Execute(insert, "BD_ABRIR");
    }
}

} // namespace

void BringSchemaUpToDate(const ReservationDatabase& database) {
    if (SchemaVersion(database) >= currentVersion) {
        return;
    }
    // Another terminal may be bringing the same file up to date: whoever comes second finds it
    // done once it holds the file.
    WriteTransaction transaction(database, "BD_ABRIR", TransactionKind::Exclusive);
    const int version = SchemaVersion(database);
    if (version >= currentVersion) {
        return;
    }
    database.Run(CreateTableSql(database.Engine()), "BD_ABRIR");
    if (version < 2) {
        addTables(database);
    }
    if (version < 3) {
        for (const QString& statement : NoDoubleBookingSql(database.Engine())) {
            database.Run(statement, "BD_ABRIR");
        }
    }
    if (version < 4) {
        for (const QString& statement : ReservationIntegritySql(database.Engine()) +
                                            ChangeNotificationSql(database.Engine())) {
            database.Run(statement, "BD_ABRIR");
        }
    }
    if (version < 5) {
        database.Run(QStringLiteral("CREATE INDEX IF NOT EXISTS RESERVAMESA_DIA ON RESERVAMESA "
                                    "(DTRESMESA)"),
                     "BD_ABRIR");
    }
    if (version < 7) {
        for (const QString& statement : ServiceHistorySql(database.Engine())) {
            database.Run(statement, "BD_ABRIR");
        }
    }
    if (version < 7 && database.Engine() == DatabaseEngine::PostgreSQL) {
        for (const QString& statement : ServerBookingSql()) {
            database.Run(statement, "BD_ABRIR");
        }
    }
    database.Run(QStringLiteral("CREATE TABLE IF NOT EXISTS VERSAOESQUEMA (VERSAO INTEGER NOT "
                                "NULL)"),
                 "BD_ABRIR");
    database.Run(QStringLiteral("DELETE FROM VERSAOESQUEMA"), "BD_ABRIR");
    database.Run(
        QStringLiteral("INSERT INTO VERSAOESQUEMA (VERSAO) VALUES (%1)").arg(currentVersion),
        "BD_ABRIR");
    transaction.Commit();
}

} // namespace Reservas
