#pragma once

#include "framework/ansistring.h"

// The library's own words (the dialogs' key captions and titles), kept in its Latin-1 resource
// catalogue.
AnsiString HostText(const AnsiString& key);
