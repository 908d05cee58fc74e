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
#include <map>
#include <optional>
#include <sys/stat.h>
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

// Each thread's one connection, kept between operations: opening a file, connecting to a server,
// checking the schema and preparing statements cost far more than a booking.
struct KeptConnection {
    QString name = QStringLiteral("reservas-kept-") + nextConnectionName();
    QString location; // as set, hidden values and all; empty while none is open
    int locationSetting = 0;
    // The file a SQLite connection has open: another file put in its place is opened anew.
    dev_t device = 0;
    ino_t inode = 0;
    bool queryOnly = false;
    // The schema's version once found current; 0 while it must be asked.
    int schemaVersion = 0;
    // By their text; a map, so that a statement stays where it is while others are added.
    std::map<QString, QSqlQuery> statements;
};
thread_local KeptConnection kept;

void dropKeptConnection() {
    NoteServerSocket(-1);
    {
        QSqlDatabase database = QSqlDatabase::database(kept.name, false);
        database.close();
    }
    QSqlDatabase::removeDatabase(kept.name);
    // Freed once the driver is gone, so that a server is not asked to forget each statement on
    // a connection that ends anyway.
    kept.statements.clear();
    kept.location.clear();
    kept.device = 0;
    kept.inode = 0;
    kept.queryOnly = false;
    kept.schemaVersion = 0;
}

// The identity of the file at path, if there is one.
std::optional<std::pair<dev_t, ino_t>> fileIdentity(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return std::pair(status.st_dev, status.st_ino);
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
        RaiseWithDetail(QString::fromLocal8Bit(std::strerror(errno)), "BD_ABRIR", file);
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
        // Set as the session starts rather than by statements, each a round trip.
        QStringLiteral("options=") +
            quotedSetting(QStringLiteral("-c statement_timeout=%1 -c lock_timeout=%2")
                              .arg(statementTimeout.count())
                              .arg(busyTimeout.count())),
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
    try {
        open(access);
    } catch (...) {
        // A file that is no database, or a schema to bring up to date first: opened anew next
        // time, in case it was put right meanwhile.
        keep_ = false;
        release();
        throw;
    }
}

void ReservationDatabase::open(DatabaseAccess access) {
    if (location_.Engine == DatabaseEngine::SQLite) {
        openFile(access);
    } else {
        openServer();
    }
    if (access == DatabaseAccess::Prepare ||
        (access == DatabaseAccess::Write && Engine() == DatabaseEngine::SQLite)) {
        if (Version() < CurrentSchemaVersion || access == DatabaseAccess::Prepare) {
            BringSchemaUpToDate(*this);
            kept.schemaVersion = CurrentSchemaVersion;
        }
    } else if (access == DatabaseAccess::Write) {
        if (Version() < CurrentSchemaVersion) {
            Raise("BD_NAO_PREPARADO", location_.Shown());
        }
    } else if (Version() == 0) {
        Raise("BD_SEM_RESERVAS", location_.Shown());
    }
}

ReservationDatabase::~ReservationDatabase() {
    release();
}

void ReservationDatabase::release() noexcept {
    if (!keep_) {
        database_ = QSqlDatabase();
        if (QSqlDatabase::contains(kept.name)) {
            dropKeptConnection();
        }
        return;
    }
    FinishStatements();
}

void ReservationDatabase::FinishStatements() const noexcept {
    // A statement left mid-reading would keep a SQLite file's read lock, or keep a write from
    // committing, and a server's answer in memory, until its next use.
    for (auto& [sql, statement] : kept.statements) {
        statement.finish();
    }
}

bool ReservationDatabase::reuseConnection() {
    if (!QSqlDatabase::contains(kept.name)) {
        return false;
    }
    database_ = QSqlDatabase::database(kept.name, false);
    bool same = kept.location == locationText_ &&
                kept.locationSetting == DatabaseLocationSetting() && database_.isOpen();
    if (same && Engine() == DatabaseEngine::SQLite) {
        same = fileIdentity(location_.File) == std::pair(kept.device, kept.inode);
    }
    if (same) {
        return true;
    }
    database_ = QSqlDatabase();
    dropKeptConnection();
    return false;
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
    // Reading opens for writing too, so that a journal left by a writer that died mid-commit is
    // rolled back rather than making every reading fail; it writes nothing of its own.
    const bool queryOnly = access == DatabaseAccess::Read;
    if (reuseConnection()) {
        keep_ = true;
        retryable_ = true;
    } else {
        database_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kept.name);
        database_.setConnectOptions(
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout.count()));
        database_.setDatabaseName(file);
        if (!database_.open()) {
            fail("BD_ABRIR", database_.lastError());
        }
        const auto identity = fileIdentity(file);
        kept.location = locationText_;
        kept.locationSetting = DatabaseLocationSetting();
        kept.device = identity ? identity->first : 0;
        kept.inode = identity ? identity->second : 0;
        keep_ = true;
        // A confirmed booking is on disk, the journal's removal included, before the operator is
        // told.
        Run(QStringLiteral("PRAGMA synchronous = EXTRA"), "BD_ABRIR");
        Run(QStringLiteral("PRAGMA query_only = OFF"), "BD_ABRIR");
    }
    if (kept.queryOnly != queryOnly) {
        Run(queryOnly ? QStringLiteral("PRAGMA query_only = ON")
                      : QStringLiteral("PRAGMA query_only = OFF"),
            "BD_ABRIR");
        kept.queryOnly = queryOnly;
    }
}

void ReservationDatabase::openServer() {
    if (reuseConnection()) {
        keep_ = true;
        retryable_ = true;
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        Raise("BD_SEM_DRIVER", location_.Shown());
    }
    database_ = AddServerConnection(location_, kept.name, connectTimeout);
    StopIfGivenUp();
    if (!database_.open()) {
        RaiseWithDetail(FailureDetail(database_.lastError()), "BD_SERVIDOR", location_.Shown());
    }
    NoteServerSocket(serverSocket(database_));
    StopIfGivenUp();
    kept.location = locationText_;
    kept.locationSetting = DatabaseLocationSetting();
    keep_ = true;
}

QSqlQuery& ReservationDatabase::Prepare(const QString& sql, const char* failureKey) const {
    StopIfGivenUp();
    if (const auto prepared = kept.statements.find(sql); prepared != kept.statements.end()) {
        return prepared->second;
    }
    QSqlQuery query(database_);
    if (!query.prepare(sql)) {
        fail(failureKey, query.lastError());
    }
    answered();
    return kept.statements.emplace(sql, std::move(query)).first->second;
}

void ReservationDatabase::Execute(QSqlQuery& query, const char* failureKey) const {
    StopIfGivenUp();
    if (!query.exec()) {
        fail(failureKey, query.lastError());
    }
    answered();
}

QSqlQuery ReservationDatabase::Run(const QString& sql, const char* failureKey) const {
    // Run as it stands: a server prepares only plain statements, not BEGIN, SET or CREATE.
    StopIfGivenUp();
    QSqlQuery query(database_);
    if (!query.exec(sql)) {
        fail(failureKey, query.lastError());
    }
    answered();
    return query;
}

void ReservationDatabase::RunTogether(const QStringList& statements, const char* failureKey) const {
    StopIfGivenUp();
    QSqlQuery query(database_);
    bool done = query.exec(statements.join(QStringLiteral("; ")));
    // Each statement has an answer of its own, and the server skips those after a failed one:
    // every answer is looked at, not only the first.
    while (done && query.nextResult()) {
    }
    done = done && query.lastError().type() == QSqlError::NoError;
    if (!done) {
        fail(failureKey, query.lastError());
    }
    answered();
}

std::optional<QSqlQuery> ReservationDatabase::TryRun(const QString& sql) const {
    StopIfGivenUp();
    QSqlQuery query(database_);
    if (!query.exec(sql)) {
        if (ClassifyFailure(Engine(), query.lastError()) == FailureKind::ServerLost) {
            fail("BD_LER", query.lastError());
        }
        return std::nullopt;
    }
    answered();
    return query;
}

int ReservationDatabase::Version() const {
    if (kept.schemaVersion == CurrentSchemaVersion) {
        return kept.schemaVersion;
    }
    const int version = SchemaVersion(*this);
    // An older version is asked again next time: its owner may bring it up to date meanwhile.
    if (version == CurrentSchemaVersion) {
        kept.schemaVersion = version;
    }
    return version;
}

bool ReservationDatabase::HasVersions() const {
    return Version() >= FirstVersionWithVersions;
}

bool ReservationDatabase::HasTable(const QString& name) const {
    // Asked of the database itself, so that a file that is no database says so here.
    QSqlQuery& table = Prepare(TableExistsSql(Engine()), "BD_ABRIR");
    table.bindValue(QStringLiteral(":name"), TableName(Engine(), name));
    Execute(table, "BD_ABRIR");
    return table.next();
}

void ReservationDatabase::RollBack() const noexcept {
    // Once per transaction: the server complains of a second one. A connection the server
    // dropped has nothing left to end.
    if (!std::exchange(inTransaction_, false) || !database_.isOpen()) {
        return;
    }
    FinishStatements();
    QSqlQuery rollback(database_);
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
        keep_ = false;
        if (retryable_) {
            throw StaleConnection(Text("BD_SERVIDOR", location_.Shown()),
                                  FromQStringEscaped(FailureDetail(error)));
        }
        RaiseWithDetail(FailureDetail(error), "BD_SERVIDOR", location_.Shown());
    case FailureKind::Other:
        break;
    }
    RaiseWithDetail(FailureDetail(error), key, location_.Shown());
}

QString FailureDetail(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    const QString words = error.text().trimmed();
    return code.isEmpty() ? words : QStringLiteral("[%1] %2").arg(code, words);
}

WriteTransaction::WriteTransaction(const ReservationDatabase& database, const char* failureKey,
                                   TransactionKind kind)
    : database_(database) {
    const QStringList begin = BeginSql(database_.Engine(), kind);
    if (database_.Engine() == DatabaseEngine::PostgreSQL) {
        // Sent together, one round trip; a lock not had in time still leaves a transaction to
        // roll back.
        database_.inTransaction_ = true;
        database_.RunTogether(begin, failureKey);
        return;
    }
    database_.Run(begin.front(), failureKey);
    database_.inTransaction_ = true;
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
    database_.FinishStatements();
    database_.Run(QStringLiteral("COMMIT"), "BD_GRAVAR");
    database_.inTransaction_ = false;
}

void WriteTransaction::CommitAfter(const QStringList& statements, const char* failureKey) {
    // A server takes the statements and the commit in one round trip; SQLite runs one statement
    // at a time.
    if (database_.Engine() == DatabaseEngine::PostgreSQL) {
        // A statement that fails before the commit leaves the transaction to roll back.
        database_.FinishStatements();
        database_.RunTogether(statements + QStringList{QStringLiteral("COMMIT")}, failureKey);
        database_.inTransaction_ = false;
        return;
    }
    for (const QString& statement : statements) {
        database_.Run(statement, failureKey);
    }
    Commit();
}

} // namespace Reservas
