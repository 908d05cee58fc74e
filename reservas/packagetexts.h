#pragma once

#include "framework/ansistring.h"
#include "framework/sysutils.h"

#include <QString>

namespace Reservas {

// The package's own texts, from its Latin-1 catalogue of "key|text" lines.
AnsiString CatalogueText(const char* key);

inline QString TextArgument(const QString& argument) {
    return argument;
}
inline QString TextArgument(const AnsiString& argument) {
    return ToQString(argument);
}

// The catalogue text of key with its "%1", "%2", ... replaced by the arguments, in one pass.
template <typename... Arguments> AnsiString Text(const char* key, const Arguments&... arguments) {
    if constexpr (sizeof...(Arguments) == 0) {
        return CatalogueText(key);
    } else {
        return FromQString(ToQString(CatalogueText(key)).arg(TextArgument(arguments)...));
    }
}

template <typename... Arguments>
[[noreturn]] void Raise(const char* key, const Arguments&... arguments) {
    throw Sysutils::Exception(Text(key, arguments...));
}

} // namespace Reservas
