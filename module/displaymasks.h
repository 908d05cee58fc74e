#pragma once

#include "framework/ansistring.h"

// Time digits for display through "!99:99;0": HHMM, or HMM for an hour below 10.
AnsiString FormatTime(const AnsiString& digits);

// Telephone digits for display: up to ten through "(99) 9999-9999;0"; eleven (a mobile number
// with its area code) through "(99) 99999-9999;0".
AnsiString FormatTelephone(const AnsiString& digits);

// The digits of a displayed telephone number, as typed.
AnsiString TelephoneDigits(const AnsiString& shown);
