#pragma once

#include "framework/ansistring.h"
#include "framework/framework_export.h"

namespace Maskutils {

// Places the characters of value into the positions of an edit mask ("!99:99;0",
// "(99) 9999-9999;0", "99:99;0; "). It checks nothing: "!" fills from the right, otherwise
// from the left; missing positions show the blank character; leftover characters stay at the end.
FRAMEWORK_EXPORT AnsiString FormatMaskText(const AnsiString& editMask, const AnsiString& value);

} // namespace Maskutils
