#pragma once

#include "framework/ansistring.h"
#include "framework/events.h"
#include "framework/framework_export.h"

#include <QDialog>

namespace Forms {

// A top-level form shown modally. Its events are entered through the framework guard, and
// Close() only asks: the modal display ends once the handler that asked has returned.
class FRAMEWORK_EXPORT TForm : public QDialog {
    Q_OBJECT

public:
    explicit TForm(QWidget* parent = nullptr);

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

    int ShowModal();
    void Close();
    // Takes back a close request that has not taken effect yet.
    void CancelClose();
    bool CloseRequested() const { return closeRequested_; }
    // Deferred destruction; dropped if the form is destroyed first.
    void Release();
    // Repaints the form at once.
    void Refresh();
    void SetWindowStateNormal();
    QObject* FindComponent(const AnsiString& name) const;
    // Opens centred on the screen it appears on.
    void SetCenteredOnScreen(bool centred) { centred_ = centred; }

    // What the form does with a key-down and a character, as the window messages deliver them.
    void DispatchKeyDown(WORD& key, TShiftState shift);
    void DispatchKeyPress(char& key);

protected:
    // Runs OnCreate; the derived form calls it once its layout is built.
    void DoCreate();

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void closeIfRequested();
    void takeFocusBack();

    bool closeRequested_ = false;
    bool closing_ = false;
    bool centred_ = false;
    bool focusWanted_ = false;
};

} // namespace Forms
