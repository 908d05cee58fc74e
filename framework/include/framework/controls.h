#pragma once

#include "framework/ansistring.h"
#include "framework/framework_export.h"
#include "framework/graphics.h"

#include <QLabel>
#include <QWidget>

namespace Controls {

// Text label that never takes focus; Caption is Latin-1.
class FRAMEWORK_EXPORT TLabel : public QLabel {
    Q_OBJECT
    // The layout and the translation set it by name, as Qt text that stays whole; code reads and
    // writes the caption as Latin-1 through Caption and SetCaption.
    Q_PROPERTY(QString Caption READ text WRITE showCaption)
    Q_PROPERTY(unsigned FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(int FontHeight READ FontHeight WRITE SetFontHeight)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)

public:
    explicit TLabel(QWidget* parent = nullptr);

    AnsiString Caption() const;
    void SetCaption(const AnsiString& caption);

    Graphics::TColor FontColor() const { return fontColor_; }
    void SetFontColor(Graphics::TColor color);
    // Character height in pixels, as the layout gives font sizes.
    int FontHeight() const { return font().pixelSize(); }
    void SetFontHeight(int pixels);
    // Sized to its text, growing to the right from its position.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

private:
    void showCaption(const QString& caption);
    void fitToText();

    Graphics::TColor fontColor_ = Graphics::clWindowText;
    bool autoSize_ = false;
};

// Plain shape: a filled rectangle with a pen, used as a frame.
class FRAMEWORK_EXPORT TShape : public QWidget {
    Q_OBJECT
    Q_PROPERTY(unsigned PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    Q_PROPERTY(unsigned BrushColor READ BrushColor WRITE SetBrushColor)

public:
    explicit TShape(QWidget* parent = nullptr);
    Graphics::TColor PenColor() const { return penColor_; }
    void SetPenColor(Graphics::TColor color);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width);
    Graphics::TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(Graphics::TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Graphics::TColor penColor_ = Graphics::clBlack;
    int penWidth_ = 1;
    Graphics::TColor brushColor_ = Graphics::clBlack;
};

} // namespace Controls
