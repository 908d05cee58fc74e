#include "touchinput/paneldialog.h"

namespace {} // namespace

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
