#include "hostlib/messagescheme.h"

#include <QPainter>
#include <QWidget>

namespace {

// Matches the terminal's black screens and their orange frame.
constexpr MessageScheme darkScheme{0x303030, Graphics::clWhite, 0x2C5BCC, Graphics::clGray,
                                   Graphics::clWhite};
constexpr MessageScheme lightScheme{0xF0F0F0, Graphics::clBlack, Graphics::clNavy, 0x804000,
                                    Graphics::clWhite};
constexpr MessageScheme highContrastScheme{Graphics::clBlack, 0x00FFFF, Graphics::clWhite,
                                           Graphics::clWhite, Graphics::clBlack};

constexpr Graphics::TColor amber = 0x00A5FF;

} // namespace

MessageScheme SchemeFor(const AnsiString& schemeId) {
    if (schemeId == "2") {
        return lightScheme;
    }
    if (schemeId == "3") {
        return highContrastScheme;
    }
    return darkScheme;
}

Graphics::TColor FrameColorFor(TTipoMsg kind, const MessageScheme& scheme) {
    switch (kind) {
    case tmWarning:
        return amber;
    case tmError:
        return Graphics::clRed;
    default:
        return scheme.Frame;
    }
}

void PaintFramedPanel(QWidget& widget, const QColor& panel, const QColor& frame) {
    constexpr int frameWidth = 3;
    QPainter painter(&widget);
    painter.fillRect(widget.rect(), panel);
    QPen pen(frame, frameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = frameWidth / 2.0;
    painter.drawRect(QRectF(widget.rect()).adjusted(half, half, -half, -half));
}
