#include "framework/forms.h"

#include "framework/windowmessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace Forms {

TForm::TForm(QWidget* parent) : QDialog(parent) {}

void TForm::DoCreate() {
    HandleEvent([this] {
        if (OnCreate) {
            OnCreate(this);
        }
    });
}

int TForm::ShowModal() {
    closeRequested_ = false;
    return exec();
}

void TForm::Close() {
    closeRequested_ = true;
    AfterHandlers(this, [this] { closeIfRequested(); });
}

void TForm::CancelClose() {
    closeRequested_ = false;
}

void TForm::closeIfRequested() {
    if (!closeRequested_ || closing_) {
        return;
    }
    closing_ = true;
    TCloseAction action = TCloseAction::caHide;
    try {
        if (OnClose) {
            OnClose(this, action);
        }
    } catch (...) {
        closing_ = false;
        throw;
    }
    closing_ = false;
    if (action == TCloseAction::caNone) {
        closeRequested_ = false;
        return;
    }
    closeRequested_ = false;
    done(QDialog::Rejected);
    if (action == TCloseAction::caFree) {
        Release();
    }
}

void TForm::Release() {
    deleteLater();
}

void TForm::Refresh() {
    repaint();
}

void TForm::SetWindowStateNormal() {
    setWindowState(windowState() &
                   ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

QObject* TForm::FindComponent(const AnsiString& name) const {
    return findChild<QObject*>(ToQString(name));
}

void TForm::DispatchKeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
    }
}

void TForm::DispatchKeyPress(char& key) {
    if (OnKeyPress) {
        OnKeyPress(this, key);
    }
}

bool TForm::event(QEvent* event) {
    if (event->type() != Messages::TMessageEvent::eventType()) {
        return QDialog::event(event);
    }
    const auto* message = static_cast<Messages::TMessageEvent*>(event);
    HandleEvent([this, message] {
        if (message->Msg == Messages::WM_KEYDOWN) {
            // A sent key-down carries the Shift and Ctrl state but never Alt.
            TShiftState shift = 0;
            const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
            if (held.testFlag(Qt::ShiftModifier)) {
                shift |= ssShift;
            }
            if (held.testFlag(Qt::ControlModifier)) {
                shift |= ssCtrl;
            }
            WORD key = WORD(message->WParam);
            DispatchKeyDown(key, shift);
        } else if (message->Msg == Messages::WM_CHAR) {
            char key = char(message->WParam & 0xFF);
            DispatchKeyPress(key);
        }
    });
    return true;
}

void TForm::keyPressEvent(QKeyEvent* event) {
    const Messages::TranslatedKey translated = Messages::TranslateKey(*event);
    event->accept();
    if (translated.VirtualKey != 0) {
        HandleEvent([this, &translated] {
            WORD key = translated.VirtualKey;
            DispatchKeyDown(key, translated.Shift);
        });
    }
    if (translated.Character) {
        HandleEvent([this, &translated] {
            char key = *translated.Character;
            DispatchKeyPress(key);
        });
    }
}

void TForm::closeEvent(QCloseEvent* event) {
    // Nothing closes a form behind its back (Alt+F4 in the window system, a close button,
    // QWidget::close): only its own Close() ends it, through its close handler.
    event->ignore();
}

} // namespace Forms

namespace Forms {

void TForm::showEvent(QShowEvent* event) {
    // Watches the other windows for the moment one of them goes away.
    qApp->installEventFilter(this);
    if (centred_) {
        const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
        if (shownOn != nullptr) {
            const QRect area = shownOn->geometry();
            move(area.x() + (area.width() - width()) / 2,
                 area.y() + (area.height() - height()) / 2);
        }
    }
    QDialog::showEvent(event);
}

void TForm::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

// Without a window manager nobody hands the keyboard back when a dialog over the form closes:
// the focus stays on the root window and keys are lost wherever the pointer rests. So the form
// takes it back itself, once the handler that opened the dialog has returned. Of two forms
// shown one over the other, only the one on top does: the one below would raise itself over it.
bool TForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && watched != this && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow() && !focusWanted_) {
        focusWanted_ = true;
        AfterHandlers(this, [this] { takeFocusBack(); });
    }
    return QDialog::eventFilter(watched, event);
}

void TForm::takeFocusBack() {
    focusWanted_ = false;
    if (isVisible() && QApplication::activeModalWidget() == this) {
        raise();
        activateWindow();
    }
}

} // namespace Forms
