#pragma once

#include "collaborators/hostlib/mensagem.h"
#include "framework/ansistring.h"
#include "framework/graphics.h"

// The colours of the message dialog.
struct MessageScheme {
    Graphics::TColor Panel;
    Graphics::TColor Text;
    Graphics::TColor Frame;
    Graphics::TColor Key;
    Graphics::TColor KeyText;
};

// "2" light, "3" high contrast; any other identifier, empty included, the default dark one.
MessageScheme SchemeFor(const AnsiString& schemeId);

// Warnings and errors mark the frame in their own colour; other kinds keep the scheme's.
Graphics::TColor FrameColorFor(TTipoMsg kind, const MessageScheme& scheme);
