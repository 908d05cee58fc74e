#include "framework/graphics.h"

#include <QApplication>
#include <QPalette>

namespace Graphics {

namespace {

constexpr TColor systemColorFlag = 0x80000000;

QColor systemColor(unsigned index) {
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5:
        return palette.color(QPalette::Base);
    case 8:
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button);
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace

QColor ToQColor(TColor color) {
    if ((color & systemColorFlag) != 0) {
        return systemColor(color & 0xFF);
    }
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace Graphics
