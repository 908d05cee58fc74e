#include "framework/screen.h"

#include <QCursor>
#include <QGuiApplication>

namespace Forms {

namespace {
TScreen theScreen;
}

TScreen* const Screen = &theScreen;

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) {
        return;
    }
    // Only one override of ours is ever on Qt's stack.
    if (cursor_ != crDefault) {
        QGuiApplication::restoreOverrideCursor();
    }
    cursor_ = cursor;
    if (cursor == crHourGlass) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else if (cursor != crDefault) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
}

} // namespace Forms
