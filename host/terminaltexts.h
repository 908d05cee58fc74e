#pragma once

#include "framework/ansistring.h"

#include <QString>
#include <exception>

// The terminal's own words, from its Latin-1 catalogue of "key|text" lines.
AnsiString TerminalCatalogueText(const char* key);

// The catalogue text of key with its "%1", "%2", ... replaced by the arguments, in one pass; a
// character Latin-1 cannot hold shows as its code point.
template <typename... Arguments>
AnsiString TerminalText(const char* key, const Arguments&... arguments) {
    if constexpr (sizeof...(Arguments) == 0) {
        return TerminalCatalogueText(key);
    } else {
        return FromQStringEscaped(ToQString(TerminalCatalogueText(key)).arg(QString(arguments)...));
    }
}

// An error as the command line prints it: its words for the operator and, in brackets, what only
// an administrator can use (the driver's own words, the error code).
QString ConsoleErrorText(const std::exception& error);
