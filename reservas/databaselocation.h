#pragma once

#include "reservas/reservas_export.h"

#include <QString>
#include <utility>
#include <vector>

namespace Reservas {

enum class DatabaseEngine { SQLite, PostgreSQL };

// Where the reservations are kept: a SQLite file, or a PostgreSQL database that every terminal
// of the restaurant reaches over the network, written postgresql://user@host:port/dbname.
// The password never travels in the text: libpq reads it from PGPASSWORD or ~/.pgpass.
struct RESERVAS_EXPORT DatabaseLocation {
    DatabaseEngine Engine = DatabaseEngine::SQLite;
    QString File; // SQLite
    QString Host; // PostgreSQL, each part empty or -1 for libpq's own default
    int Port = -1;
    QString User;
    QString Name;
    // Further connection settings from the URL's query (sslmode=require, ...), as libpq names
    // them.
    std::vector<std::pair<QString, QString>> Settings;

    // How messages and the journal name it: the file, or the URL as given.
    QString Shown() const;
};

// Reads a file path or a postgresql:// (or postgres://) URL. A URL with a password, without a
// database name or that is not well formed raises Sysutils::Exception saying so.
RESERVAS_EXPORT DatabaseLocation ParseDatabaseLocation(const QString& text);

} // namespace Reservas
