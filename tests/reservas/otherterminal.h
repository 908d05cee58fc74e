#pragma once

#include "testdatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// Another terminal's connection to the same database, a file or a server's.
class OtherTerminal {
public:
    explicit OtherTerminal(const QString& location) { OpenConnection(location, name); }
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
