#pragma once

#include "framework/ansistring.h"
#include "hostlib/messagescheme.h"

#include <QDialog>

// What the terminal's touch dialogs share: frameless, the scheme's panel inside a frame of its
// colour, the keyboard taken once shown, since a kiosk runs no window manager to hand it, Enter
// to confirm and Esc to go back.
class PanelDialog : public QDialog {
    Q_OBJECT

public:
    PanelDialog(const AnsiString& schemeId, QWidget* parent);

protected:
    const MessageScheme& Scheme() const { return scheme_; }
    // The size of the screen the dialog shows on: its parent window's, or the primary screen's.
    // The dialog fills it or grows with it (TouchScale).
    QSize ScreenSize() const;

    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Enter: accepts unless a dialog says otherwise.
    virtual void confirm() { accept(); }
    // Any key but Enter and Esc.
    virtual void otherKey(QKeyEvent* event) { QDialog::keyPressEvent(event); }

private:
    MessageScheme scheme_;
};
