#include "paintwatch.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace Bench {

FirstFrame::FirstFrame(std::function<void(QWidget*)> afterFrame)
    : afterFrame_(std::move(afterFrame)) {
    qApp->installEventFilter(this);
}

FirstFrame::~FirstFrame() {
    qApp->removeEventFilter(this);
}

bool FirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
        seen_ = true;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        QMetaObject::invokeMethod(
            this, [this, window] { afterFrame_(window); }, Qt::QueuedConnection);
    }
    return false;
}

PaintCount::PaintCount(QWidget* widget) {
    widget->installEventFilter(this);
}

bool PaintCount::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++count_;
    }
    return false;
}

bool WaitForPaint(const PaintCount& paints, int before, int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    while (paints.Count() == before) {
        if (waited.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents();
    }
    return true;
}

ModalGuard::ModalGuard(int timeoutMs) {
    QTimer::singleShot(timeoutMs, this, [this] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            fired_ = true;
            modal->done(QDialog::Rejected);
        }
    });
}

} // namespace Bench
