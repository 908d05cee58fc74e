#pragma once

#include "framework/ansistring.h"
#include "framework/events.h"
#include "framework/graphics.h"
#include "hostlib/hostlib_export.h"

#include <QAbstractButton>

class QPainter;

// A touch key. It never takes focus, so the keyboard keeps going to the form. OnClick runs
// through the framework's event guard with the key as sender, for a tap and for Click() alike.
// Held down with Qt's autoRepeat on, it clicks again after 500 ms and then every 100 ms.
class HOSTLIB_EXPORT TBlendedButton : public QAbstractButton {
    Q_OBJECT
    // The layout and the translation set it by name, as Qt text that stays whole; code reads and
    // writes the caption as Latin-1 through Caption and SetCaption.
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString FontName READ FontName WRITE SetFontName)
    Q_PROPERTY(int FontHeight READ FontHeight WRITE SetFontHeight)
    Q_PROPERTY(bool FontBold READ FontBold WRITE SetFontBold)
    Q_PROPERTY(unsigned FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(unsigned BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(bool PenVisible READ PenVisible WRITE SetPenVisible)
    Q_PROPERTY(unsigned PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE SetPenWidth)
    Q_PROPERTY(bool Rounded READ Rounded WRITE SetRounded)
    Q_PROPERTY(unsigned DownColor READ DownColor WRITE SetDownColor)
    Q_PROPERTY(unsigned DownFontColor READ DownFontColor WRITE SetDownFontColor)
    Q_PROPERTY(unsigned DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(unsigned DisabledFontColor READ DisabledFontColor WRITE SetDisabledFontColor)

public:
    explicit TBlendedButton(QWidget* parent = nullptr);

    Forms::TNotifyEvent OnClick;
    // Clicks the key as a tap would. A disabled key does nothing.
    void Click();

    AnsiString Caption() const;
    void SetCaption(const AnsiString& caption);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    QString FontName() const { return font().family(); }
    void SetFontName(const QString& family);
    // Character height in pixels.
    int FontHeight() const { return font().pixelSize(); }
    void SetFontHeight(int pixels);
    bool FontBold() const { return font().bold(); }
    void SetFontBold(bool bold);
    Graphics::TColor FontColor() const { return fontColor_; }
    void SetFontColor(Graphics::TColor color);

    Graphics::TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(Graphics::TColor color);
    bool PenVisible() const { return penVisible_; }
    void SetPenVisible(bool visible);
    Graphics::TColor PenColor() const { return penColor_; }
    void SetPenColor(Graphics::TColor color);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width);
    // A rounded rectangle, or a plain one.
    bool Rounded() const { return rounded_; }
    void SetRounded(bool rounded);

    // Face and caption colours while the key is held down.
    Graphics::TColor DownColor() const { return downColor_; }
    void SetDownColor(Graphics::TColor color);
    Graphics::TColor DownFontColor() const { return downFontColor_; }
    void SetDownFontColor(Graphics::TColor color);
    // Face and caption colours while the key is disabled.
    Graphics::TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(Graphics::TColor color);
    Graphics::TColor DisabledFontColor() const { return disabledFontColor_; }
    void SetDisabledFontColor(Graphics::TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws what stands on the face: the caption, centred and word-wrapped.
    virtual void paintContent(QPainter& painter, const QColor& fontColor);

private:
    void runOnClick();

    int tag_ = 0;
    Graphics::TColor fontColor_ = Graphics::clWhite;
    Graphics::TColor brushColor_ = Graphics::clGray;
    bool penVisible_ = false;
    Graphics::TColor penColor_ = Graphics::clSilver;
    int penWidth_ = 1;
    bool rounded_ = true;
    Graphics::TColor downColor_ = Graphics::clWindowText;
    Graphics::TColor downFontColor_ = Graphics::clWindow;
    Graphics::TColor disabledColor_ = 0xCCCCCC;
    Graphics::TColor disabledFontColor_ = Graphics::clWhite;
};
