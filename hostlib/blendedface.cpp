#include "blendedface.h"

#include <QPainter>
#include <QPen>

namespace {

constexpr qreal cornerRadius = 8.0;

} // namespace

void PaintBlendedFace(QPainter& painter, const QRect& area, const QColor& fill,
                      const BlendedPen& pen, bool rounded) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, rounded);
    QRectF face(area);
    if (pen.Visible && pen.Width > 0) {
        const qreal half = pen.Width / 2.0;
        face.adjust(half, half, -half, -half);
        painter.setPen(QPen(pen.Color, pen.Width));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.setBrush(fill);
    if (rounded) {
        painter.drawRoundedRect(face, cornerRadius, cornerRadius);
    } else {
        painter.drawRect(face);
    }
    painter.restore();
}
