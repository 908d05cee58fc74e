#pragma once

#include "framework/framework_export.h"

#include <QColor>

namespace Graphics {

// A colour as the layout states it: 0x00BBGGRR, or a system colour 0x800000NN.
using TColor = unsigned int;

constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clNavy = 0x800000;
constexpr TColor clHighlight = 0x8000000D;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clWindow = 0x80000005;

// System colours come from the application palette.
FRAMEWORK_EXPORT QColor ToQColor(TColor color);

} // namespace Graphics
