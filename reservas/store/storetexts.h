#pragma once

#include "framework/ansistring.h"
#include "framework/sysutils.h"
#include "hostlib/catalogue.h"

namespace Reservas {

// The store's own words (the database and what it refuses), from its Latin-1 catalogue.
const TextCatalogue& StoreTexts();

template <typename... Arguments> AnsiString Text(const char* key, const Arguments&... arguments) {
    return StoreTexts().Format(key, arguments...);
}

template <typename... Arguments>
[[noreturn]] void Raise(const char* key, const Arguments&... arguments) {
    throw Sysutils::Exception(Text(key, arguments...));
}

// The same, with what only an administrator can use (the driver's own words, the error code):
// kept with the error for the journal and the command line, never put on the operator's screen.
template <typename... Arguments>
[[noreturn]] void RaiseWithDetail(const QString& detail, const char* key,
                                  const Arguments&... arguments) {
    throw Sysutils::Exception(Text(key, arguments...), FromQStringEscaped(detail));
}

} // namespace Reservas
