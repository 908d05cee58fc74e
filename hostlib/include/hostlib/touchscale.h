#pragma once

#include "hostlib/hostlib_export.h"

#include <QSize>

class QScreen;
class QWidget;

// The screen the widget shows on; without a widget, or before it shows anywhere, the primary
// screen. Null only on a platform with no screen at all.
HOSTLIB_EXPORT QScreen* ScreenOf(const QWidget* widget);

// Every touch screen of the terminal is drawn for a 1024x768 screen. On a larger screen keys,
// type and touch targets grow by this factor so that they keep a finger's size and nothing looks
// tiny; never below 1, and no more than the smaller of the two sides allows.
HOSTLIB_EXPORT double TouchScale(const QSize& area);

// The factor for the screen the widget shows on (the primary screen before it shows anywhere).
HOSTLIB_EXPORT double ScreenTouchScale(const QWidget* widget);

// A length of the 1024x768 design at the given factor, rounded to whole pixels.
HOSTLIB_EXPORT int Scaled(int designPixels, double scale);
