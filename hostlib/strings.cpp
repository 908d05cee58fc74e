#include "hostlib/strings.h"

#include <algorithm>

bool EmptyString(const AnsiString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}
