#pragma once

#include "databaseengine.h"
#include "databasethread.h"
#include "framework/sysutils.h"
#include "reservas/store.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <chrono>
#include <optional>

namespace Reservas {

// Reading never creates, migrates or changes the database. Writing to a SQLite file creates the
// file, its folder and the tables when they are missing, and brings an older file's tables up
// to date; a server's database must be up to date already, for a terminal's role may not
// change its tables. Preparing creates and brings up to date on either engine: the database
// owner's work.
enum class DatabaseAccess { Read, Write, Prepare };

// Raised by a statement that would hold a table twice at overlapping times: the database
// itself refused it, though the program's own check had found the table free.
// What a failed statement's error tells an administrator: the SQLSTATE or the engine's code,
// when there is one, and the driver's own words.
QString FailureDetail(const QSqlError& error);

class HoldingConflict : public Sysutils::Exception {
public:
    using Sysutils::Exception::Exception;
};

// An open connection to the reservation database with its table in place. Opening raises
// Sysutils::Exception naming the database and what went wrong; a database that another
// terminal keeps busy past a short wait, or a server that cannot be reached, raises a text
// that says so. The connection, whether to a file or to a server, is kept for the next
// operation of the same thread with its prepared statements and what it learnt of the schema,
// unless it failed: opening, checking and preparing cost far more than a booking, and over a
// network each costs a round trip.
class ReservationDatabase {
public:
    explicit ReservationDatabase(DatabaseAccess access);
    ~ReservationDatabase();
    ReservationDatabase(const ReservationDatabase&) = delete;
    ReservationDatabase& operator=(const ReservationDatabase&) = delete;

    DatabaseEngine Engine() const { return location_.Engine; }

    // Prepares and runs statements of ours; a failure raises the catalogue text failureKey with
    // the database and its own explanation. A statement is prepared once per connection: the
    // query returned is the connection's own, to be bound, run and read before the next Prepare
    // of the same text.
    QSqlQuery& Prepare(const QString& sql, const char* failureKey) const;
    void Execute(QSqlQuery& query, const char* failureKey) const;
    // Runs a statement without parameters.
    QSqlQuery Run(const QString& sql, const char* failureKey) const;

    // Runs statements without parameters on a server in one round trip; a failure of any raises
    // as Run does.
    void RunTogether(const QStringList& statements, const char* failureKey) const;
    // Runs a statement without parameters that may fail harmlessly, outside a transaction: no
    // answer when it failed, save for a lost server, which raises as Run does.
    std::optional<QSqlQuery> TryRun(const QString& sql) const;
    bool InTransaction() const { return inTransaction_; }

    bool HasTable(const QString& name) const;
    // The schema's version (see schema.h), asked once per connection once it is current.
    int Version() const;
    // Whether its reservations carry a version and a hand-off identity: always once opened for
    // writing, maybe not in an older database opened for reading.
    bool HasVersions() const;
    // From here on the operation may have changed something that a second run would not find
    // done: a lost server is said, not tried again.
    void NoRetryFromHere() const { retryable_ = false; }
    // Ends the reading of every prepared statement, which keeps them prepared.
    void FinishStatements() const noexcept;
    // Ends the open transaction without its changes, if one is open; it never fails, for it runs
    // on the way out.
    void RollBack() const noexcept;

private:
    void open(DatabaseAccess access);
    void release() noexcept;
    void openFile(DatabaseAccess access);
    void openServer();
    bool reuseConnection();
    void answered() const { retryable_ = false; }
    [[noreturn]] void fail(const char* key, const QSqlError& error) const;

    QString locationText_;
    DatabaseLocation location_;
    QSqlDatabase database_;
    // Whether the connection is kept for the next operation: not once it failed.
    mutable bool keep_ = false;
    // Whether the connection came from an earlier operation and nothing of this one was answered
    // yet: a lost server then means the kept connection had died meanwhile.
    mutable bool retryable_ = false;
    mutable bool inTransaction_ = false;

    friend class WriteTransaction;
};

// Changes each time the database location is set, even to the same one: a connection kept from
// before is not used again, as a terminal started anew would not.
int DatabaseLocationSetting();

// A connection to the server of location, registered as name, with the settings every
// connection of the store has; not open yet. Reaching the server, or hearing from it once it
// went silent, is given up after giveUpAfter.
QSqlDatabase AddServerConnection(const DatabaseLocation& location, const QString& name,
                                 std::chrono::seconds giveUpAfter);

// A write transaction. On SQLite it holds the file from its start, so that what it reads stays
// true until it commits; on a server, bookings run side by side and the database's own
// constraint keeps a table from being held twice, while an exclusive transaction has the
// database to itself. Rolled back when it goes without a commit.
class WriteTransaction {
public:
    // A failure to start raises the catalogue text failureKey, as Execute does.
    explicit WriteTransaction(const ReservationDatabase& database,
                              const char* failureKey = "BD_GRAVAR",
                              TransactionKind kind = TransactionKind::Booking);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();
    // Runs statements without parameters, then commits; a failure raises failureKey, as Run does.
    void CommitAfter(const QStringList& statements, const char* failureKey);

private:
    const ReservationDatabase& database_;
};

} // namespace Reservas
