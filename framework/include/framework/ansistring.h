#pragma once

#include "framework/framework_export.h"

#include <QString>
#include <string>

// Text inside the module: Latin-1 bytes with value semantics. Empty and missing are the same.
using AnsiString = std::string;

// Where text meets Qt. Characters Latin-1 cannot hold are dropped on the way back.
FRAMEWORK_EXPORT QString ToQString(const AnsiString& text);
FRAMEWORK_EXPORT AnsiString FromQString(const QString& text);
// For messages that quote what someone typed: a character Latin-1 cannot hold is written as its
// code point ("U+0661") instead of vanishing, so the message still shows what was refused.
FRAMEWORK_EXPORT AnsiString FromQStringEscaped(const QString& text);
