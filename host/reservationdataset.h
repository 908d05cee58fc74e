#pragma once

#include "framework/ansistring.h"

namespace Dbclient {
class TClientDataSet;
}

// The reservation the terminal hands to the module: the record layout of a reservation with
// one row, new and pending with the operator's code, or a stored reservation read back. Returns
// false for an unknown reservation number.
void PrepareNewReservation(Dbclient::TClientDataSet& dataset);
bool PrepareStoredReservation(Dbclient::TClientDataSet& dataset, const AnsiString& nrresmesa);
