#pragma once

#include "framework/ansistring.h"

namespace Datapacket {

// A value as an error message quotes it: in single quotes, cut short after 40 characters with
// "...", so that a long value cannot bury the message.
AnsiString QuotedValue(const AnsiString& value);

} // namespace Datapacket
