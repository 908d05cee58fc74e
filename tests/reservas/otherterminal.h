#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Another terminal's connection to the same database file.
class OtherTerminal {
public:
    explicit OtherTerminal(const QString& file) {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        database.setDatabaseName(file);
        database.open();
    }
    ~OtherTerminal() {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    OtherTerminal(const OtherTerminal&) = delete;
    OtherTerminal& operator=(const OtherTerminal&) = delete;

    bool Run(const QString& sql) const {
        QSqlQuery query(QSqlDatabase::database(name, false));
        return query.exec(sql);
    }

private:
    const QString name = QStringLiteral("other terminal");
};
