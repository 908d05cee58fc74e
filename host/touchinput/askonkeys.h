#pragma once

#include "framework/ansistring.h"

#include <QString>
#include <optional>

// Which keys the touch text entry offers: letters (A-Z, ç), digits and space, or digits alone.
enum class KeysLayout { Letters, Digits };

// Asks the operator for a text on on-screen keys (the physical keyboard types too: Enter is OK,
// Esc is Voltar, Backspace and Delete erase), in a modal dialog in the display scheme schemeId,
// over the active window. At most maxLength characters are taken. Nothing when the operator went
// back; the keyboard then returns to the window beneath.
std::optional<QString> AskOnKeys(const AnsiString& title, KeysLayout layout, int maxLength,
                                 const AnsiString& schemeId);
