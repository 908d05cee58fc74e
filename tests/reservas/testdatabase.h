#pragma once

#include <QSqlDatabase>
#include <QString>
#include <optional>

// A connection of the test's own, registered as name, to a database file or URL; open unless
// the database refused it.
QSqlDatabase OpenConnection(const QString& location, const QString& name);

// Where a store suite keeps its database: a file in the given folder, or, when the suite runs
// on the throw-away server (RESERVAS_TEST_POSTGRES names the folder its start wrote), a fresh
// database there, dropped again when this goes.
class TestDatabase {
public:
    explicit TestDatabase(const QString& folder);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The file path or the URL, as --db takes it.
    const QString& Location() const { return location_; }

    static bool OnServer();
    // Why the server could not be started; empty when it runs, or the suite runs on files.
    static std::optional<QString> ServerUnavailable();
    // The server's URL without a database, as postgresql://user@host:port.
    static QString ServerUrl();

private:
    QString location_;
    QString name_;
};

// Every case of a suite run on the server is skipped, saying why, when there is none.
#define SKIP_WITHOUT_SERVER()                                                                      \
    do {                                                                                           \
        if (const std::optional<QString> why = TestDatabase::ServerUnavailable()) {                \
            QSKIP(qPrintable(QStringLiteral("PostgreSQL unavailable: ") + *why));                  \
        }                                                                                          \
    } while (false)

// A case about a SQLite file's own behaviour, which a server does not have.
#define SKIP_ON_SERVER(why)                                                                        \
    do {                                                                                           \
        if (TestDatabase::OnServer()) {                                                            \
            QSKIP("only a SQLite file " why);                                                      \
        }                                                                                          \
    } while (false)
