#include "blendedface.h"

#include <QPainter>
#include <QPen>
#include <QPixmapCache>

namespace {

constexpr qreal cornerRadius = 8.0;
// The square at each corner of a face that its rounding reaches.
constexpr int cornerSide = 8;

void drawFace(QPainter& painter, const QRect& area, const QColor& fill, const BlendedPen& pen,
              bool rounded) {
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

// The corners of an opaque rounded face without a pen, drawn once for each colour on the
// smallest such face: a larger face rounds its corners alike and only has longer sides.
QPixmap keptCorners(const QColor& fill) {
    const QString key = QStringLiteral("blended face corners ") + QString::number(fill.rgba(), 16);
    QPixmap corners;
    if (QPixmapCache::find(key, &corners)) {
        return corners;
    }
    corners = QPixmap(2 * cornerSide, 2 * cornerSide);
    corners.fill(Qt::transparent);
    QPainter painter(&corners);
    drawFace(painter, corners.rect(), fill, {}, true);
    painter.end();
    QPixmapCache::insert(key, corners);
    return corners;
}

// Smoothing the rounded corners costs many times what filling the face does, and a screen
// shows dozens of keys. Outside its four corners an opaque face without a pen is its colour
// alone, edge pixels included, since its sides lie on pixel boundaries: the corners are copied
// from ones drawn before and the rest is filled.
bool paintFromKeptCorners(QPainter& painter, const QRect& area, const QColor& fill,
                          const BlendedPen& pen) {
    const bool plain = !(pen.Visible && pen.Width > 0) && fill.alpha() == 255 &&
                       painter.transform().isIdentity() &&
                       painter.device()->devicePixelRatio() == 1.0;
    if (!plain || area.width() < 2 * cornerSide || area.height() < 2 * cornerSide) {
        return false;
    }
    const QPixmap corners = keptCorners(fill);
    painter.fillRect(area.adjusted(cornerSide, 0, -cornerSide, 0), fill);
    painter.fillRect(area.adjusted(0, cornerSide, cornerSide - area.width(), -cornerSide), fill);
    painter.fillRect(area.adjusted(area.width() - cornerSide, cornerSide, 0, -cornerSide), fill);
    // Each corner of the face takes the quarter of the kept corners on its side.
    for (const int column : {0, 1}) {
        for (const int row : {0, 1}) {
            const QPoint quarter(column * cornerSide, row * cornerSide);
            const QPoint corner(column * (area.width() - cornerSide),
                                row * (area.height() - cornerSide));
            painter.drawPixmap(area.topLeft() + corner, corners,
                               QRect(quarter, QSize(cornerSide, cornerSide)));
        }
    }
    return true;
}

} // namespace

void PaintBlendedFace(QPainter& painter, const QRect& area, const QColor& fill,
                      const BlendedPen& pen, bool rounded) {
    if (rounded && paintFromKeptCorners(painter, area, fill, pen)) {
        return;
    }
    drawFace(painter, area, fill, pen, rounded);
}
