#include "databaseconnection.h"

#include "databasethread.h"
#include "reservas/store.h"
#include "schema.h"
#include "storetexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>
#include <QVariant>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <libpq-fe.h>
#include <unistd.h>
#include <utility>

namespace Reservas {

namespace {

// How long a statement waits for another terminal's write to end before it gives up: far
// longer than any write takes, short enough that the operator is not left wondering.
constexpr std::chrono::milliseconds busyTimeout{3000};
// How long a server may keep the operator waiting, to connect or for one statement, and how
// soon a connection whose server went silent is given up: a few seconds, not TCP's minutes.
// The statement limit stays under the screen's deadline for a whole operation, so that a
// server that still answers says itself why it gave up.
constexpr std::chrono::seconds connectTimeout{5};
constexpr std::chrono::milliseconds statementTimeout{8000};

QString nextConnectionName() {
    static std::atomic<int> opened = 0;
    return QStringLiteral("reservas-%1").arg(++opened);
}

// Each thread's one connection to a server, kept between operations: connecting costs far more
// than a booking.
struct KeptConnection {
    QString name = QStringLiteral("reservas-servidor-") + nextConnectionName();
    QString location; // as set, hidden values and all; empty while none is open
};
thread_local KeptConnection kept;

void dropKeptConnection() {
    NoteServerSocket(-1);
    {
        QSqlDatabase database = QSqlDatabase::database(kept.name, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(kept.name);
    kept.location.clear();
}

// Names and telephones: the file, and each folder made for it, are the user's alone whatever
// the umask; the journals SQLite makes beside the file take its mode.
void createPrivately(const QString& file) {
    const QString folder = QFileInfo(file).absolutePath();
    QStringList made;
    for (QString missing = folder; !QFileInfo::exists(missing);
         missing = QFileInfo(missing).absolutePath()) {
        made << missing;
    }
    if (!QDir().mkpath(folder)) {
        Raise("BD_PASTA", folder);
    }
    for (const QString& madeFolder : made) {
        QFile::setPermissions(madeFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const int created = ::open(QFile::encodeName(file).constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (created >= 0) {
        ::close(created);
    } else if (errno != EEXIST) {
        Raise("BD_ABRIR", file, QString::fromLocal8Bit(std::strerror(errno)));
    }
}

int serverSocket(const QSqlDatabase& database) {
    const QVariant handle = database.driver()->handle();
    if (qstrcmp(handle.typeName(), "PGconn*") != 0) {
        return -1;
    }
    const PGconn* connection = *static_cast<PGconn* const*>(handle.constData());
    return connection != nullptr ? PQsocket(connection) : -1;
}

// A libpq setting's value, quoted as its connection strings want.
QString quotedSetting(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString serverOptions(const DatabaseLocation& location, std::chrono::seconds giveUpAfter) {
    QStringList options{
        QStringLiteral("connect_timeout=%1").arg(giveUpAfter.count()),
        QStringLiteral("application_name=reservas-terminal"),
        QStringLiteral("keepalives_idle=2"),
        QStringLiteral("keepalives_interval=1"),
        QStringLiteral("keepalives_count=3"),
        QStringLiteral("tcp_user_timeout=%1").arg(std::chrono::milliseconds(giveUpAfter).count()),
    };
    for (const auto& [key, value] : location.Settings) {
        options << key + QLatin1Char('=') + quotedSetting(value);
    }
    return options.join(QLatin1Char(';'));
}

} // namespace

QSqlDatabase AddServerConnection(const DatabaseLocation& location, const QString& name,
                                 std::chrono::seconds giveUpAfter) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    database.setHostName(location.Host);
    database.setPort(location.Port);
    database.setUserName(location.User);
    database.setDatabaseName(location.Name);
    database.setConnectOptions(serverOptions(location, giveUpAfter));
    return database;
}

void PrepareDatabase() {
    OnDatabaseThread([] { const ReservationDatabase database(DatabaseAccess::Write); });
}

void PrepareDatabaseAsOwner(const QString& terminalRole) {
    if (!terminalRole.isEmpty() && !IsRoleName(terminalRole)) {
        Raise("PAPEL_INVALIDO", terminalRole);
    }
    OnDatabaseThread([terminalRole] {
        const ReservationDatabase database(DatabaseAccess::Prepare);
        if (terminalRole.isEmpty()) {
            return;
        }
        if (database.Engine() != DatabaseEngine::PostgreSQL) {
            Raise("PAPEL_SEM_SERVIDOR");
        }
        WriteTransaction transaction(database, "BD_GRANT", TransactionKind::Exclusive);
        for (const QString& statement : TerminalGrantSql(terminalRole)) {
            database.Run(statement, "BD_GRANT");
        }
        transaction.Commit();
    });
}

void CloseKeptConnection() {
    if (QSqlDatabase::contains(kept.name)) {
        dropKeptConnection();
    }
}

ReservationDatabase::ReservationDatabase(DatabaseAccess access)
    : locationText_(DatabaseLocationText()), location_(ParseDatabaseLocation(locationText_)) {
    if (location_.Engine == DatabaseEngine::SQLite) {
        openFile(access);
    } else {
        openServer();
    }
    // SQLite opens lazily: a directory or a file of another kind only fails here.
    if (access == DatabaseAccess::Prepare ||
        (access == DatabaseAccess::Write && Engine() == DatabaseEngine::SQLite)) {
        BringSchemaUpToDate(*this);
        // Brought up to date just now: no need to ask the database again.
        hasVersions_ = true;
    } else if (access == DatabaseAccess::Write) {
        if (SchemaVersion(*this) < CurrentSchemaVersion) {
            Raise("BD_NAO_PREPARADO", location_.Shown());
        }
        hasVersions_ = true;
    } else if (!HasTable(QStringLiteral("RESERVAMESA"))) {
        Raise("BD_SEM_RESERVAS", location_.Shown());
    }
}

ReservationDatabase::Connection::~Connection() {
    if (kept || name.isEmpty()) {
        return;
    }
    database = QSqlDatabase();
    if (name == Reservas::kept.name) {
        dropKeptConnection();
        return;
    }
    QSqlDatabase::removeDatabase(name);
}

void ReservationDatabase::openFile(DatabaseAccess access) {
    const QString& file = location_.File;
    // Anything but a regular file was refused with the location.
    if (!QFileInfo::exists(file)) {
        // Said plainly rather than as SQLite's "unable to open database file".
        if (access == DatabaseAccess::Read) {
            Raise("BD_INEXISTENTE", file);
        }
        createPrivately(file);
    }
    connection_.name = nextConnectionName();
    connection_.database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_.name);
    connection_.database.setConnectOptions(
        QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout.count()));
    connection_.database.setDatabaseName(file);
    if (!connection_.database.open()) {
        fail("BD_ABRIR", connection_.database.lastError());
    }
    // Reading opens for writing too, so that a journal left by a writer that died mid-commit is
    // rolled back rather than making every reading fail; it writes nothing of its own. A
    // confirmed booking is on disk, the journal's removal included, before the operator is told.
    Run(access == DatabaseAccess::Read ? QStringLiteral("PRAGMA query_only = ON")
                                       : QStringLiteral("PRAGMA synchronous = EXTRA"),
        "BD_ABRIR");
}

bool ReservationDatabase::reuseServerConnection() {
    if (!QSqlDatabase::contains(kept.name)) {
        return false;
    }
    connection_.database = QSqlDatabase::database(kept.name, false);
    if (kept.location == locationText_ && connection_.database.isOpen()) {
        // A server restarted or a network cut since the last operation shows here, before
        // anything is written.
        StopIfGivenUp();
        QSqlQuery alive(connection_.database);
        if (alive.exec(QStringLiteral("SELECT 1"))) {
            return true;
        }
    }
    connection_.database = QSqlDatabase();
    dropKeptConnection();
    return false;
}

void ReservationDatabase::openServer() {
    connection_.name = kept.name;
    if (reuseServerConnection()) {
        connection_.kept = true;
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        Raise("BD_SEM_DRIVER", location_.Shown());
    }
    connection_.database = AddServerConnection(location_, kept.name, connectTimeout);
    StopIfGivenUp();
    if (!connection_.database.open()) {
        Raise("BD_SERVIDOR", location_.Shown(), connection_.database.lastError().text());
    }
    NoteServerSocket(serverSocket(connection_.database));
    StopIfGivenUp();
    kept.location = locationText_;
    connection_.kept = true;
    Run(QStringLiteral("SET statement_timeout = %1").arg(statementTimeout.count()), "BD_ABRIR");
    Run(QStringLiteral("SET lock_timeout = %1").arg(busyTimeout.count()), "BD_ABRIR");
}

QSqlQuery ReservationDatabase::Prepare(const QString& sql, const char* failureKey) const {
    StopIfGivenUp();
    QSqlQuery query(connection_.database);
    if (!query.prepare(sql)) {
        fail(failureKey, query.lastError());
    }
    return query;
}

void ReservationDatabase::Execute(QSqlQuery& query, const char* failureKey) const {
    StopIfGivenUp();
    if (!query.exec()) {
        fail(failureKey, query.lastError());
    }
}

QSqlQuery ReservationDatabase::Run(const QString& sql, const char* failureKey) const {
    // Run as it stands: a server prepares only plain statements, not BEGIN, SET or CREATE.
    StopIfGivenUp();
    QSqlQuery query(connection_.database);
    if (!query.exec(sql)) {
        fail(failureKey, query.lastError());
    }
    return query;
}

bool ReservationDatabase::HasVersions() const {
    if (!hasVersions_) {
        hasVersions_ = SchemaVersion(*this) >= FirstVersionWithVersions;
    }
    return *hasVersions_;
}

bool ReservationDatabase::HasTable(const QString& name) const {
    // Asked of the database itself, so that a file that is no database says so here.
    QSqlQuery table = Prepare(TableExistsSql(Engine()), "BD_ABRIR");
    table.bindValue(QStringLiteral(":name"), TableName(Engine(), name));
    Execute(table, "BD_ABRIR");
    return table.next();
}

void ReservationDatabase::RollBack() const noexcept {
    // Once per transaction: the server complains of a second one. A connection the server
    // dropped has nothing left to end.
    if (!std::exchange(inTransaction_, false) || !connection_.database.isOpen()) {
        return;
    }
    QSqlQuery rollback(connection_.database);
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void ReservationDatabase::fail(const char* key, const QSqlError& error) const {
    // On a server a failed statement spoils its whole transaction: ended here, the statements
    // prepared in it can still be freed as the raise unwinds them.
    if (Engine() == DatabaseEngine::PostgreSQL) {
        RollBack();
    }
    switch (ClassifyFailure(Engine(), error)) {
    case FailureKind::Busy:
        Raise("BD_OCUPADO");
    case FailureKind::HoldingConflict:
        throw HoldingConflict(Text("MESA_JA_RESERVADA"));
    case FailureKind::ServerLost:
        connection_.kept = false;
        Raise("BD_SERVIDOR", location_.Shown(), error.text());
    case FailureKind::Other:
        break;
    }
    Raise(key, location_.Shown(), error.text());
}

WriteTransaction::WriteTransaction(const ReservationDatabase& database, const char* failureKey,
                                   TransactionKind kind)
    : database_(database) {
    const QStringList begin = BeginSql(database_.Engine(), kind);
    database_.Run(begin.front(), failureKey);
    database_.inTransaction_ = true;
    for (qsizetype index = 1; index < begin.size(); ++index) {
        database_.Run(begin[index], failureKey);
    }
}

WriteTransaction::~WriteTransaction() {
    database_.RollBack();
}

void WriteTransaction::Commit() {
    // A server ends the transaction whether its commit succeeds or fails; a SQLite file kept
    // busy keeps it open, to be rolled back.
    if (database_.Engine() == DatabaseEngine::PostgreSQL) {
        database_.inTransaction_ = false;
    }
    database_.Run(QStringLiteral("COMMIT"), "BD_GRAVAR");
    database_.inTransaction_ = false;
}

} // namespace Reservas
