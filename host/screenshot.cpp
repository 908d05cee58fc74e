#include "screenshot.h"

#include "regularfile.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

std::optional<QString> failure;

void save(QWidget* screen, const QString& file) {
    QFile output(file);
    QString reason;
    switch (OpenRegularFile(output, QIODevice::WriteOnly, FileUse::Screenshot, reason)) {
    case FileOpening::Opened:
        if (screen->grab().save(&output, "PNG")) {
            failure.reset();
            return;
        }
        reason = output.errorString();
        break;
    case FileOpening::Refused:
        failure = reason;
        return;
    case FileOpening::Missing:
    case FileOpening::Failed:
        break;
    }
    failure = QStringLiteral("cannot save the screenshot %1: %2").arg(file, reason);
}

void captureWhenShown(const QString& file, int attemptsLeft) {
    QWidget* screen = QApplication::activeModalWidget();
    if (screen == nullptr) {
        if (attemptsLeft > 0) {
            QTimer::singleShot(50,
                               [file, attemptsLeft] { captureWhenShown(file, attemptsLeft - 1); });
        }
        return;
    }
    save(screen, file);
    // Leave the screen the way an operator does: Esc.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(screen, &escape);
}

} // namespace

void CaptureNextScreen(const QString& file) {
    failure = QStringLiteral("cannot save the screenshot %1: the screen did not appear").arg(file);
    QTimer::singleShot(0, [file] { captureWhenShown(file, 100); });
}

std::optional<QString> ScreenshotFailure() {
    return failure;
}
