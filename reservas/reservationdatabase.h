#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

namespace Reservas {

// Reading never creates, migrates or changes the file; writing creates the file, its folder and
// the table when they are missing.
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

} // namespace Reservas
