#include "hostlib/blendedbitbtn.h"

#include "glyph.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

// How strongly the glyph shows on a disabled key that has no picture of its own.
constexpr qreal fadedOpacity = 0.4;

} // namespace

TBlendedBitBtn::TBlendedBitBtn(QWidget* parent) : TBlendedButton(parent) {}

void TBlendedBitBtn::SetGlyph(const QString& path) {
    glyphPath_ = path;
    glyph_ = LoadGlyph(path, devicePixelRatioF());
    update();
}

void TBlendedBitBtn::SetGlyphDisabled(const QString& path) {
    glyphDisabledPath_ = path;
    glyphDisabled_ = LoadGlyph(path, devicePixelRatioF());
    update();
}

void TBlendedBitBtn::paintContent(QPainter& painter, const QColor& fontColor) {
    QPixmap picture = glyph_;
    qreal opacity = 1.0;
    if (!isEnabled()) {
        if (glyphDisabled_.isNull()) {
            opacity = fadedOpacity;
        } else {
            picture = glyphDisabled_;
        }
    }
    const QString caption = text();
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const int captionHeight =
        caption.isEmpty() ? 0 : QFontMetrics(font()).boundingRect(rect(), flags, caption).height();
    const int pictureHeight = picture.isNull() ? 0 : glyphSize;
    const int top = std::max(0, (height() - pictureHeight - captionHeight) / 2);

    if (!picture.isNull()) {
        painter.setOpacity(opacity);
        painter.drawPixmap((width() - glyphSize) / 2, top, picture);
        painter.setOpacity(1.0);
    }
    painter.setPen(fontColor);
    painter.drawText(QRect(0, top + pictureHeight, width(), captionHeight), flags, caption);
}
