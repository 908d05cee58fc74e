#include "touchinput/paneldialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

PanelDialog::PanelDialog(const AnsiString& schemeId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), scheme_(SchemeFor(schemeId)) {
    // The window beneath may carry a style sheet of its own; the dialog keeps its scheme's.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme_.Text).name()));
}

QSize PanelDialog::ScreenSize() const {
    const QWidget* over = parentWidget() != nullptr ? parentWidget() : this;
    const QScreen* screen = over->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    // Without any screen, the size everything is drawn for.
    return screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
}

void PanelDialog::paintEvent(QPaintEvent*) {
    PaintFramedPanel(*this, Graphics::ToQColor(scheme_.Panel), Graphics::ToQColor(scheme_.Frame));
}

void PanelDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
}

void PanelDialog::keyPressEvent(QKeyEvent* event) {
    // A key still held from the window below must not answer the dialog unseen.
    const bool repeated = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!repeated) {
            confirm();
        }
        break;
    case Qt::Key_Escape:
        if (!repeated) {
            reject();
        }
        break;
    default:
        otherKey(event);
    }
}
