#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

namespace Reservas {

// Reading never creates, migrates or changes the file; writing creates the file, its folder and
// the tables when they are missing, and brings an older file's tables up to date.
enum class DatabaseAccess { Read, Write };

// An open connection to the reservation database with its table in place, closed when it
// goes. Opening raises Sysutils::Exception naming the file and what went wrong; a file that
// another terminal keeps locked past a short wait raises a text that says so.
class ReservationDatabase {
public:
    explicit ReservationDatabase(DatabaseAccess access);
    ReservationDatabase(const ReservationDatabase&) = delete;
    ReservationDatabase& operator=(const ReservationDatabase&) = delete;

    // Prepares and runs statements of ours; a failure raises the catalogue text failureKey with
    // the file and the database's own explanation.
    QSqlQuery Prepare(const QString& sql, const char* failureKey) const;
    void Execute(QSqlQuery& query, const char* failureKey) const;
    // Prepares and runs a statement without parameters.
    QSqlQuery Run(const QString& sql, const char* failureKey) const;

    bool HasTable(const QString& name) const;
    // Ends the open transaction without its changes; it never fails, for it runs on the way out.
    void RollBack() const noexcept;

private:
    // Registered under a name of its own and removed again however the opening ends.
    struct Connection {
        Connection();
        ~Connection();
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;

        QString name;
        QSqlDatabase database;
    };

    void openForReading();
    void openForWriting();
    [[noreturn]] void fail(const char* key, const QSqlError& error) const;

    QString file_;
    Connection connection_;
};

// A write transaction that holds the database for itself from its start, so that what it reads
// stays true until it commits: two terminals checking a table and booking it cannot both win.
// Rolled back when it goes without a commit.
class WriteTransaction {
public:
    // A failure to start raises the catalogue text failureKey, as Execute does.
    explicit WriteTransaction(const ReservationDatabase& database,
                              const char* failureKey = "BD_GRAVAR");
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void Commit();

private:
    const ReservationDatabase& database_;
    bool open_ = false;
};

} // namespace Reservas
