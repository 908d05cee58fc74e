#pragma once

#include "framework/ansistring.h"
#include "module/pkg_res01400_export.h"

// Time digits for display through "!99:99;0": HHMM, or HMM for an hour below 10.
PKG_RES01400_EXPORT AnsiString FormatTime(const AnsiString& digits);

// Telephone digits for display: up to ten through "(99) 9999-9999;0"; eleven (a mobile number
// with its area code) through "(99) 99999-9999;0".
PKG_RES01400_EXPORT AnsiString FormatTelephone(const AnsiString& digits);

// The digits of a displayed telephone number, as typed.
AnsiString TelephoneDigits(const AnsiString& shown);
