#pragma once

#include "hostlib/blendedbutton.h"
#include "hostlib/hostlib_export.h"

#include <QPixmap>
#include <QString>

// A touch key with a 34 x 34 picture above its caption, or centred when it has no caption.
// Pictures are SVG or raster files, usually resource paths (":/...").
class HOSTLIB_EXPORT TBlendedBitBtn : public TBlendedButton {
    Q_OBJECT
    Q_PROPERTY(QString Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(QString GlyphDisabled READ GlyphDisabled WRITE SetGlyphDisabled)

public:
    explicit TBlendedBitBtn(QWidget* parent = nullptr);

    QString Glyph() const { return glyphPath_; }
    void SetGlyph(const QString& path);
    // Shown while the key is disabled; without it the glyph is shown faded.
    QString GlyphDisabled() const { return glyphDisabledPath_; }
    void SetGlyphDisabled(const QString& path);

protected:
    void paintContent(QPainter& painter, const QColor& fontColor) override;

private:
    QString glyphPath_;
    QString glyphDisabledPath_;
    QPixmap glyph_;
    QPixmap glyphDisabled_;
};
