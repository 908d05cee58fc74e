#pragma once

#include "framework/ansistring.h"

class Journal;

// Cancels the stored reservation numbered nrresmesa, freeing its tables, and journals it; an
// unknown or already cancelled reservation, or a database that cannot do it, is said on standard
// error and gives false.
bool CancelFromCommandLine(const AnsiString& nrresmesa, Journal& journal);
