#pragma once

#include "framework/framework_export.h"

namespace Forms {

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crHourGlass = -11;

// The screen's cursor, kept as Qt's application override cursor.
class FRAMEWORK_EXPORT TScreen {
public:
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

private:
    TCursor cursor_ = crDefault;
};

FRAMEWORK_EXPORT extern TScreen* const Screen;

} // namespace Forms
