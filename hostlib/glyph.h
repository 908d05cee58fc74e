#pragma once

#include <QPixmap>
#include <QString>

// Side of the square a key's picture is drawn in, in pixels.
constexpr int glyphSize = 34;

// The picture at path (SVG or a raster format) fitted into the glyph square; a null pixmap
// when the path is empty or unreadable.
QPixmap LoadGlyph(const QString& path, qreal devicePixelRatio);
