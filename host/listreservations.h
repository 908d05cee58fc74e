#pragma once

#include <QDate>

// Prints the reservations of day as JSON lines (UTF-8) on standard output, cancelled ones
// included, by start time; a database that cannot be read is said on standard error and gives
// false. Reading never creates or changes the database.
bool PrintReservationsOfDay(const QDate& day);
