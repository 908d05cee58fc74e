#include "reservas/reservationdatabase.h"

#include "reservas/packagetexts.h"
#include "reservas/reservationstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QStandardPaths>

namespace Reservas {

namespace {

QString databaseFile;

const char* const createTable = "CREATE TABLE IF NOT EXISTS RESERVAMESA ("
                                "NRRESMESA INTEGER PRIMARY KEY, "
                                "DSRESMESA TEXT, CDFILIAL TEXT, CDLOJA TEXT, DTRESMESA TEXT, "
                                "HRINIRESMESA TEXT, HRFINRESMESA TEXT, NMRESMESA TEXT, "
                                "NRTELRESMESA TEXT, NRPESRESMESA TEXT, IDSTRESMESA TEXT, "
                                "CDOPERINCRES TEXT, DTHRINCLURES TEXT)";

QString nextConnectionName() {
    static int opened = 0;
    return QStringLiteral("reservas-%1").arg(++opened);
}

} // namespace

void SetDatabaseFile(const QString& file) {
    databaseFile = file;
}

QString DatabaseFile() {
    if (!databaseFile.isEmpty()) {
        return databaseFile;
    }
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("reservas.db"));
}

ReservationDatabase::Connection::Connection()
    : name(nextConnectionName()),
      database(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name)) {}

ReservationDatabase::Connection::~Connection() {
    database.close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

ReservationDatabase::ReservationDatabase() : file_(DatabaseFile()) {
    const QString folder = QFileInfo(file_).absolutePath();
    if (!QDir().mkpath(folder)) {
        Raise("BD_PASTA", folder);
    }
    connection_.database.setDatabaseName(file_);
    if (!connection_.database.open()) {
        fail("BD_ABRIR", connection_.database.lastError().text());
    }
    // SQLite opens lazily: a directory or a file of another kind only fails here.
    QSqlQuery query = Prepare(QString::fromLatin1(createTable), "BD_ABRIR");
    Execute(query, "BD_ABRIR");
}

QSqlQuery ReservationDatabase::Prepare(const QString& sql, const char* failureKey) const {
    QSqlQuery query(connection_.database);
    if (!query.prepare(sql)) {
        fail(failureKey, query.lastError().text());
    }
    return query;
}

void ReservationDatabase::Execute(QSqlQuery& query, const char* failureKey) const {
    if (!query.exec()) {
        fail(failureKey, query.lastError().text());
    }
}

void ReservationDatabase::fail(const char* key, const QString& reason) const {
    Raise(key, file_, reason);
}

} // namespace Reservas
