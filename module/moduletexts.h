#pragma once

#include "framework/ansistring.h"

// The module's own texts beyond the message catalogue (errors about its collaborators).
AnsiString ModuleText(const AnsiString& key);
