#include "touchinput/paneldialog.h"

#include <QKeyEvent>

PanelDialog::PanelDialog(const AnsiString& schemeId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), scheme_(SchemeFor(schemeId)) {
    // The window beneath may carry a style sheet of its own; the dialog keeps its scheme's.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme_.Text).name()));
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
