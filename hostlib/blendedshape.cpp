#include "hostlib/blendedshape.h"

#include "blendedface.h"

#include <QPainter>
#include <algorithm>

TBlendedShape::TBlendedShape(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TBlendedShape::SetRounded(bool rounded) {
    rounded_ = rounded;
    update();
}

void TBlendedShape::SetBrushColor(Graphics::TColor color) {
    brushColor_ = color;
    update();
}

void TBlendedShape::SetPenVisible(bool visible) {
    penVisible_ = visible;
    update();
}

void TBlendedShape::SetPenColor(Graphics::TColor color) {
    penColor_ = color;
    update();
}

void TBlendedShape::SetPenWidth(int width) {
    penWidth_ = width;
    update();
}

void TBlendedShape::SetTransparency(int percent) {
    transparency_ = std::clamp(percent, 0, 100);
    update();
}

void TBlendedShape::paintEvent(QPaintEvent*) {
    QColor fill = Graphics::ToQColor(brushColor_);
    fill.setAlpha(255 * (100 - transparency_) / 100);
    QPainter painter(this);
    PaintBlendedFace(painter, rect(), fill, {penVisible_, Graphics::ToQColor(penColor_), penWidth_},
                     rounded_);
}
