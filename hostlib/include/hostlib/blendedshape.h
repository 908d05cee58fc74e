#pragma once

#include "framework/graphics.h"
#include "hostlib/hostlib_export.h"

#include <QWidget>

// A filled, optionally translucent shape painted under other controls. It never takes focus,
// and taps fall through it to whatever lies beneath.
class HOSTLIB_EXPORT TBlendedShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Rounded READ Rounded WRITE SetRounded)
    Q_PROPERTY(unsigned BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(bool PenVisible READ PenVisible WRITE SetPenVisible)
    Q_PROPERTY(unsigned PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    Q_PROPERTY(int Transparency READ Transparency WRITE SetTransparency)

public:
    explicit TBlendedShape(QWidget* parent = nullptr);

    // A rounded rectangle, or a plain one.
    bool Rounded() const { return rounded_; }
    void SetRounded(bool rounded);
    Graphics::TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(Graphics::TColor color);
    bool PenVisible() const { return penVisible_; }
    void SetPenVisible(bool visible);
    Graphics::TColor PenColor() const { return penColor_; }
    void SetPenColor(Graphics::TColor color);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width);
    // 0 opaque to 100 invisible; it applies to the fill, the pen stays opaque.
    int Transparency() const { return transparency_; }
    void SetTransparency(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool rounded_ = true;
    Graphics::TColor brushColor_ = 0x707070;
    bool penVisible_ = false;
    Graphics::TColor penColor_ = Graphics::clSilver;
    int penWidth_ = 1;
    int transparency_ = 50;
};
