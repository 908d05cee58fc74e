#pragma once

#include "framework/ansistring.h"

// What a name or a description takes, in Latin-1: the blank, ",", ".", "/", the digits, the
// letters A-Z, ç, and the accented vowels of Portuguese (á à â ã é ê í ó ô õ ú ü) in either case.
// The accented vowels were added on purpose beyond the screen's first character set, so that
// names such as "João Conceição" are kept as written.
namespace TextCharacters {

bool IsTextCharacter(char character);

// The letters A-Z and the accented vowels change case; ç and everything else stay as they are.
char UpperLetter(char character);
char LowerLetter(char character);

// The accented forms of a plain letter in the order the on-screen keyboard offers them, in the
// case asked for ("c" gives "ç" or "Ç"); empty for a letter without any.
AnsiString AccentedForms(char letter, bool upperCase);

} // namespace TextCharacters
