#pragma once

#include "framework/ansistring.h"
#include "hostlib/hostlib_export.h"

// True when the text is empty or holds only blanks (spaces and control characters).
HOSTLIB_EXPORT bool EmptyString(const AnsiString& text);
