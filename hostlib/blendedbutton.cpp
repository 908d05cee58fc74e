#include "hostlib/blendedbutton.h"

#include "blendedface.h"

#include <QPainter>

namespace {

constexpr int repeatDelayMs = 500;
constexpr int repeatIntervalMs = 100;

// Every key starts with this caption font. Built once and shared, it spares each key making
// a font of its own that most layouts then change anyway.
const QFont& defaultCaptionFont() {
    static const QFont captionFont = [] {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(16);
        return font;
    }();
    return captionFont;
}

} // namespace

TBlendedButton::TBlendedButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoRepeatDelay(repeatDelayMs);
    setAutoRepeatInterval(repeatIntervalMs);
    setFont(defaultCaptionFont());
    connect(this, &QAbstractButton::clicked, this, &TBlendedButton::runOnClick);
}

void TBlendedButton::Click() {
    click();
}

void TBlendedButton::runOnClick() {
    Forms::HandleEvent([this] {
        if (OnClick) {
            OnClick(this);
        }
    });
}

AnsiString TBlendedButton::Caption() const {
    return FromQString(text());
}

void TBlendedButton::SetCaption(const AnsiString& caption) {
    setText(ToQString(caption));
}

void TBlendedButton::SetFontName(const QString& family) {
    QFont captionFont = font();
    captionFont.setFamily(family);
    setFont(captionFont);
}

void TBlendedButton::SetFontHeight(int pixels) {
    QFont captionFont = font();
    captionFont.setPixelSize(pixels);
    setFont(captionFont);
}

void TBlendedButton::SetFontBold(bool bold) {
    QFont captionFont = font();
    captionFont.setBold(bold);
    setFont(captionFont);
}

void TBlendedButton::SetFontColor(Graphics::TColor color) {
    fontColor_ = color;
    update();
}

void TBlendedButton::SetBrushColor(Graphics::TColor color) {
    brushColor_ = color;
    update();
}

void TBlendedButton::SetPenVisible(bool visible) {
    penVisible_ = visible;
    update();
}

void TBlendedButton::SetPenColor(Graphics::TColor color) {
    penColor_ = color;
    update();
}

void TBlendedButton::SetPenWidth(int width) {
    penWidth_ = width;
    update();
}

void TBlendedButton::SetRounded(bool rounded) {
    rounded_ = rounded;
    update();
}

void TBlendedButton::SetDownColor(Graphics::TColor color) {
    downColor_ = color;
    update();
}

void TBlendedButton::SetDownFontColor(Graphics::TColor color) {
    downFontColor_ = color;
    update();
}

void TBlendedButton::SetDisabledColor(Graphics::TColor color) {
    disabledColor_ = color;
    update();
}

void TBlendedButton::SetDisabledFontColor(Graphics::TColor color) {
    disabledFontColor_ = color;
    update();
}

void TBlendedButton::paintEvent(QPaintEvent*) {
    Graphics::TColor face = brushColor_;
    Graphics::TColor caption = fontColor_;
    if (!isEnabled()) {
        face = disabledColor_;
        caption = disabledFontColor_;
    } else if (isDown()) {
        face = downColor_;
        caption = downFontColor_;
    }
    QPainter painter(this);
    PaintBlendedFace(painter, rect(), Graphics::ToQColor(face),
                     {penVisible_, Graphics::ToQColor(penColor_), penWidth_}, rounded_);
    paintContent(painter, Graphics::ToQColor(caption));
}

void TBlendedButton::paintContent(QPainter& painter, const QColor& fontColor) {
    painter.setPen(fontColor);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, text());
}
