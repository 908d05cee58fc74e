#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

// The smallest rectangle holding every pixel the widget paints in exactly this colour.
inline QRect areaOf(QWidget& widget, const QColor& color) {
    const QImage image = widget.grab().toImage();
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}
