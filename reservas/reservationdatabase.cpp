#include "reservas/reservationdatabase.h"

#include "reservas/packagetexts.h"
#include "reservas/reservationschema.h"
#include "reservas/reservationstore.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QStandardPaths>
#include <chrono>

namespace Reservas {

namespace {

QString databaseFile;

// How long a statement waits for another terminal's write to end before it gives up: far
// longer than any write takes, short enough that the operator is not left wondering.
constexpr std::chrono::milliseconds busyTimeout{3000};

// Locked by another connection; extended result codes keep the primary one in their low byte.
bool isBusy(const QSqlError& error) {
    constexpr int sqliteBusy = 5;
    constexpr int sqliteLocked = 6;
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == sqliteBusy || code == sqliteLocked;
}

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

ReservationDatabase::ReservationDatabase(DatabaseAccess access) : file_(DatabaseFile()) {
    if (access == DatabaseAccess::Read) {
        openForReading();
    } else {
        openForWriting();
    }
}

void ReservationDatabase::openForReading() {
    // Said plainly rather than as SQLite's "unable to open database file".
    if (!QFileInfo::exists(file_)) {
        Raise("BD_INEXISTENTE", file_);
    }
    connection_.database.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout.count()));
    connection_.database.setDatabaseName(file_);
    if (!connection_.database.open()) {
        fail("BD_ABRIR", connection_.database.lastError());
    }
    if (!HasTable(QStringLiteral("RESERVAMESA"))) {
        Raise("BD_SEM_RESERVAS", file_);
    }
}

void ReservationDatabase::openForWriting() {
    const QString folder = QFileInfo(file_).absolutePath();
    if (!QDir().mkpath(folder)) {
        Raise("BD_PASTA", folder);
    }
    connection_.database.setConnectOptions(
        QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout.count()));
    connection_.database.setDatabaseName(file_);
    if (!connection_.database.open()) {
        fail("BD_ABRIR", connection_.database.lastError());
    }
    // SQLite opens lazily: a directory or a file of another kind only fails here.
    BringSchemaUpToDate(*this);
}

QSqlQuery ReservationDatabase::Prepare(const QString& sql, const char* failureKey) const {
    QSqlQuery query(connection_.database);
    if (!query.prepare(sql)) {
        fail(failureKey, query.lastError());
    }
    return query;
}

void ReservationDatabase::Execute(QSqlQuery& query, const char* failureKey) const {
    if (!query.exec()) {
        fail(failureKey, query.lastError());
    }
}

QSqlQuery ReservationDatabase::Run(const QString& sql, const char* failureKey) const {
    QSqlQuery query = Prepare(sql, failureKey);
    Execute(query, failureKey);
    return query;
}

bool ReservationDatabase::HasTable(const QString& name) const {
    // Asked of the file itself, so that a file that is no database says so here.
    QSqlQuery table =
        Prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = :name"),
                "BD_ABRIR");
    table.bindValue(QStringLiteral(":name"), name);
    Execute(table, "BD_ABRIR");
    return table.next();
}

void ReservationDatabase::RollBack() const noexcept {
    QSqlQuery rollback(connection_.database);
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void ReservationDatabase::fail(const char* key, const QSqlError& error) const {
    if (isBusy(error)) {
        Raise("BD_OCUPADO");
    }
    Raise(key, file_, error.text());
}

WriteTransaction::WriteTransaction(const ReservationDatabase& database, const char* failureKey)
    : database_(database) {
    database_.Run(QStringLiteral("BEGIN IMMEDIATE"), failureKey);
    open_ = true;
}

WriteTransaction::~WriteTransaction() {
    if (open_) {
        database_.RollBack();
    }
}

void WriteTransaction::Commit() {
    database_.Run(QStringLiteral("COMMIT"), "BD_GRAVAR");
    open_ = false;
}

} // namespace Reservas
