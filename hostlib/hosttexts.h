#pragma once

#include "framework/ansistring.h"

// The library's own words (the dialog's key captions), kept in its Latin-1 resource catalogue.
AnsiString HostText(const AnsiString& key);
