#include "glyph.h"

#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {

QImage renderSvg(const QString& path, int side) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    renderer.render(&painter);
    return image;
}

} // namespace

QPixmap LoadGlyph(const QString& path, qreal devicePixelRatio) {
    if (path.isEmpty()) {
        return {};
    }
    // Every screen draws its keys' pictures again when it opens; drawn once, each is kept.
    const QString key = QStringLiteral("glyph %1 %2").arg(devicePixelRatio).arg(path);
    QPixmap kept;
    if (QPixmapCache::find(key, &kept)) {
        return kept;
    }
    const int side = qRound(glyphSize * devicePixelRatio);
    QImage image = path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ? renderSvg(path, side)
                                                                             : QImage(path);
    if (image.isNull()) {
        return {};
    }
    if (image.size() != QSize(side, side)) {
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}
