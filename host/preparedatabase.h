#pragma once

#include <QString>

// The database owner's command: creates the reservations' tables, or brings them up to date,
// and on a server grants terminalRole (unless empty) what the terminals need. Says what it did
// on standard output, or why it could not on standard error and gives false.
bool PrepareForTerminals(const QString& terminalRole);
