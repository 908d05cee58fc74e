#pragma once

#include "framework/ansistring.h"
#include "framework/graphics.h"
#include "hostlib/mensagem.h"

#include <QColor>
#include <QDialog>
#include <vector>

class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class TBlendedButton;

// What the library's touch dialogs share: the scheme's panel inside a frame of the kind's
// colour, texts in large type over a centred row of large keys, Enter to accept and Esc to
// reject. Once shown it takes the keyboard, since a kiosk runs no window manager to hand it.
// Drawn for a 1024x768 screen; on a larger one (that of the window it shows over) its width,
// type and keys grow by the touch factor.
class TouchDialog : public QDialog {
    Q_OBJECT

public:
    TouchDialog(const AnsiString& schemeId, TTipoMsg kind, QWidget* parent);

    // Moves the dialog to the middle of the window it is shown over, or of the screen when
    // asked to or when there is no window.
    void Centre(bool onScreen);

protected:
    // A word-wrapped, centred text below the ones added before.
    void AddText(const AnsiString& text, int pixels, bool bold, const QString& name);
    // A key at the end of the row at the bottom.
    TBlendedButton* AddKey(const AnsiString& caption, const QString& name);
    // Sizes the dialog to what it holds, once all is added: the texts wrap within its width,
    // which grows, as far as the screen allows, for a word wider than it or a text too tall for
    // the screen.
    void FitContents();

    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QRect screenArea() const;
    int widestWord() const;

    double scale_ = 1;
    std::vector<QLabel*> texts_;
    QColor panel_;
    QColor frame_;
    Graphics::TColor key_;
    Graphics::TColor keyText_;
    QVBoxLayout* layout_ = nullptr;
    QHBoxLayout* keys_ = nullptr;
};
