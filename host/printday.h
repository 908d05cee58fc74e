#pragma once

#include <QDate>
#include <QString>

class Journal;

// Writes the reservations of day, its covers and its tables to the PDF file, as the day window
// prints them, and journals it ("printed"); false, the reason on standard error, when the day
// cannot be read or the file written. Reading never creates the database.
bool PrintDayToFile(const QDate& day, const QString& file, int dinnerFrom, Journal& journal);
