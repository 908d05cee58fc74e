#include "touchinput/paneldialog.h"

#include <QPainter>

namespace {

constexpr int frameWidth = 3;

} // namespace

PanelDialog::PanelDialog(const AnsiString& schemeId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), scheme_(SchemeFor(schemeId)) {
    // The window beneath may carry a style sheet of its own; the dialog keeps its scheme's.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme_.Text).name()));
}

void PanelDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Graphics::ToQColor(scheme_.Panel));
    QPen pen(Graphics::ToQColor(scheme_.Frame), frameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = frameWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

void PanelDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    activateWindow();
}
