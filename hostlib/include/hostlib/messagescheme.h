#pragma once

#include "framework/ansistring.h"
#include "framework/graphics.h"
#include "hostlib/hostlib_export.h"
#include "hostlib/mensagem.h"

#include <QColor>

class QWidget;

// The colours of a display scheme: the message dialog's, and those of any other touch screen
// of the terminal that shows in the scheme of the parameters file.
struct MessageScheme {
    Graphics::TColor Panel;
    Graphics::TColor Text;
    Graphics::TColor Frame;
    Graphics::TColor Key;
    Graphics::TColor KeyText;
};

// "2" light, "3" high contrast; any other identifier, empty included, the default dark one.
HOSTLIB_EXPORT MessageScheme SchemeFor(const AnsiString& schemeId);

// Warnings and errors mark the frame in their own colour; other kinds keep the scheme's.
HOSTLIB_EXPORT Graphics::TColor FrameColorFor(TTipoMsg kind, const MessageScheme& scheme);

// Paints a touch screen's background: the panel colour inside a frame of the frame colour, as
// every window and dialog of the terminal has it.
HOSTLIB_EXPORT void PaintFramedPanel(QWidget& widget, const QColor& panel, const QColor& frame);
