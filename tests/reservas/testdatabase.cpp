#include "testdatabase.h"

#include "reservas/store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <stdexcept>

namespace {

QString stateValue(const QString& key) {
    QFile env(QDir(qEnvironmentVariable("RESERVAS_TEST_POSTGRES")).filePath("env"));
    if (!env.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    QTextStream lines(&env);
    const QString prefix = key + QLatin1Char('=');
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        if (line.startsWith(prefix)) {
            return line.mid(prefix.size());
        }
    }
    return {};
}

// The suite's own connection to the server's maintenance database, to make and drop the
// databases of its cases.
QSqlDatabase maintenance() {
    const QString name = QStringLiteral("test maintenance");
    if (QSqlDatabase::contains(name)) {
        return QSqlDatabase::database(name);
    }
    QSqlDatabase database = OpenConnection(TestDatabase::ServerUrl() + "/postgres", name);
    if (!database.isOpen()) {
        throw std::runtime_error("the test server refused: " +
                                 database.lastError().text().toStdString());
    }
    return database;
}

void run(const QString& sql) {
    QSqlQuery query(maintenance());
    if (!query.exec(sql)) {
        throw std::runtime_error(sql.toStdString() + ": " + query.lastError().text().toStdString());
    }
}

} // namespace

QSqlDatabase OpenConnection(const QString& location, const QString& name) {
    const Reservas::DatabaseLocation where = Reservas::ParseDatabaseLocation(location);
    QSqlDatabase database;
    if (where.Engine == Reservas::DatabaseEngine::SQLite) {
        database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(where.File);
    } else {
        database = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        database.setHostName(where.Host);
        database.setPort(where.Port);
        database.setUserName(where.User);
        database.setDatabaseName(where.Name);
    }
    database.open();
    return database;
}

bool TestDatabase::OnServer() {
    return qEnvironmentVariableIsSet("RESERVAS_TEST_POSTGRES");
}

std::optional<QString> TestDatabase::ServerUnavailable() {
    if (!OnServer()) {
        return std::nullopt;
    }
    const QString why = stateValue(QStringLiteral("POSTGRES_UNAVAILABLE"));
    if (!why.isEmpty()) {
        return why;
    }
    if (ServerUrl().isEmpty()) {
        return QStringLiteral("the server was not started (no state in %1)")
            .arg(qEnvironmentVariable("RESERVAS_TEST_POSTGRES"));
    }
    return std::nullopt;
}

QString TestDatabase::ServerUrl() {
    return stateValue(QStringLiteral("POSTGRES_URL"));
}

TestDatabase::TestDatabase(const QString& folder) {
    if (!OnServer()) {
        location_ = QDir(folder).filePath(QStringLiteral("reservas.db"));
        return;
    }
    static int made = 0;
    name_ = QStringLiteral("reservas_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
    run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    run(QStringLiteral("CREATE DATABASE %1").arg(name_));
    location_ = ServerUrl() + QLatin1Char('/') + name_;
}

TestDatabase::~TestDatabase() {
    if (name_.isEmpty()) {
        return;
    }
    // The package keeps its connection for the next operation: the drop ends it.
    QSqlQuery drop(maintenance());
    drop.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
}
