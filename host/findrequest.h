#pragma once

#include <QString>

// Prints the reservations FindReservations finds for text, today's and later ones first, as JSON
// lines (UTF-8) on standard output, nothing when none; a database that cannot be read is said on
// standard error and gives false. Reading never creates or changes the database.
bool PrintFoundReservations(const QString& text);
