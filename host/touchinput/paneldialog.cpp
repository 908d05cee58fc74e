#include "touchinput/paneldialog.h"

#include "hostlib/answerkeys.h"
#include "hostlib/touchscale.h"

#include <QKeyEvent>
#include <QScreen>

PanelDialog::PanelDialog(const AnsiString& schemeId, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), scheme_(SchemeFor(schemeId)) {
    // The window beneath may carry a style sheet of its own; the dialog keeps its scheme's.
    setStyleSheet(QStringLiteral("QLabel { background: transparent; color: %1; }")
                      .arg(Graphics::ToQColor(scheme_.Text).name()));
}

QSize PanelDialog::ScreenSize() const {
    const QScreen* screen = ScreenOf(parentWidget() != nullptr ? parentWidget() : this);
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
    if (!AnswerKey(
            *event, [this] { confirm(); }, [this] { reject(); })) {
        otherKey(event);
    }
}
