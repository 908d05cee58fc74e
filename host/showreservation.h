#pragma once

#include "framework/ansistring.h"

// Prints a stored reservation as one JSON line (UTF-8) on standard output; an unknown number
// or an unreadable database is said on standard error and gives false.
bool ShowStoredReservation(const AnsiString& nrresmesa);
