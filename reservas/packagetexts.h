#pragma once

#include "framework/ansistring.h"
#include "framework/sysutils.h"
#include "hostlib/catalogue.h"

namespace Reservas {

// The package's own words (its screens and the hand-off), from its Latin-1 catalogue.
const TextCatalogue& PackageTexts();

template <typename... Arguments> AnsiString Text(const char* key, const Arguments&... arguments) {
    return PackageTexts().Format(key, arguments...);
}

template <typename... Arguments>
[[noreturn]] void Raise(const char* key, const Arguments&... arguments) {
    throw Sysutils::Exception(Text(key, arguments...));
}

} // namespace Reservas
