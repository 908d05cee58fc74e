#include "framework/controls.h"

#include <QPainter>

namespace Controls {

TLabel::TLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TranslucentBackground);
    SetFontColor(fontColor_);
}

AnsiString TLabel::Caption() const {
    return FromQString(text());
}

void TLabel::SetCaption(const AnsiString& caption) {
    showCaption(ToQString(caption));
}

void TLabel::showCaption(const QString& caption) {
    setText(caption);
    fitToText();
}

void TLabel::SetFontColor(Graphics::TColor color) {
    fontColor_ = color;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Graphics::ToQColor(color));
    setPalette(colours);
}

void TLabel::SetFontHeight(int pixels) {
    QFont labelFont = font();
    labelFont.setPixelSize(pixels);
    setFont(labelFont);
    fitToText();
}

void TLabel::SetAutoSize(bool on) {
    autoSize_ = on;
    fitToText();
}

void TLabel::fitToText() {
    if (autoSize_ && !wordWrap()) {
        resize(sizeHint());
    }
}

TShape::TShape(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TShape::SetPenColor(Graphics::TColor color) {
    penColor_ = color;
    update();
}

void TShape::SetPenWidth(int width) {
    penWidth_ = width;
    update();
}

void TShape::SetBrushColor(Graphics::TColor color) {
    brushColor_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Graphics::ToQColor(brushColor_));
    if (penWidth_ > 0) {
        QPen pen(Graphics::ToQColor(penColor_), penWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        const int inset = penWidth_ / 2;
        painter.drawRect(rect().adjusted(inset, inset, -inset - (penWidth_ % 2 == 0 ? 1 : 0),
                                         -inset - (penWidth_ % 2 == 0 ? 1 : 0)));
    }
}

} // namespace Controls
