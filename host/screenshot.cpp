#include "screenshot.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

bool saved = false;

void captureWhenShown(const QString& file, int attemptsLeft) {
    QWidget* screen = QApplication::activeModalWidget();
    if (screen == nullptr) {
        if (attemptsLeft > 0) {
            QTimer::singleShot(50,
                               [file, attemptsLeft] { captureWhenShown(file, attemptsLeft - 1); });
        }
        return;
    }
    saved = screen->grab().save(file, "PNG");
    // Leave the screen the way an operator does: Esc.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(screen, &escape);
}

} // namespace

void CaptureNextScreen(const QString& file) {
    QTimer::singleShot(0, [file] { captureWhenShown(file, 100); });
}

bool ScreenshotSaved() {
    return saved;
}
