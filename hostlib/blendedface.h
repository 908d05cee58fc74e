#pragma once

#include <QColor>
#include <QRect>

class QPainter;

struct BlendedPen {
    bool Visible = false;
    QColor Color;
    int Width = 1;
};

// Paints the face the blended shapes and keys share: a filled rectangle, rounded or not, with
// an optional pen drawn inside the area so that it is never clipped.
void PaintBlendedFace(QPainter& painter, const QRect& area, const QColor& fill,
                      const BlendedPen& pen, bool rounded);
