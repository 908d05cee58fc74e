#include "touchinput/fingerscroll.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScroller>
#include <QScrollerProperties>
#include <QVariant>
#include <memory>

namespace {

// Holds a press on the contents until the finger lifts: a drag taken by the scroller never
// comes back here (the scroller keeps its moves and its release), so only a tap reaches the
// contents, as a press and a release at once. A press that stops the contents still running
// from a flick is no tap either.
class TapsOnRelease : public QObject {
public:
    TapsOnRelease(QWidget* contents, QScroller* scroller) : QObject(contents) {
        connect(scroller, &QScroller::stateChanged, this, [this](QScroller::State state) {
            stoppedRunning_ = state == QScroller::Pressed && lastState_ == QScroller::Scrolling;
            lastState_ = state;
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (replaying_) {
            return false;
        }
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() != Qt::LeftButton) {
                return false;
            }
            held_.reset();
            if (!stoppedRunning_) {
                held_ = std::make_unique<QMouseEvent>(
                    QEvent::MouseButtonPress, press->position(), press->scenePosition(),
                    press->globalPosition(), press->button(), press->buttons(), press->modifiers(),
                    press->pointingDevice());
            }
            stoppedRunning_ = false;
            return true;
        }
        case QEvent::MouseMove:
            // Neither a resting finger nor the start of a drag selects anything.
            return (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) != 0;
        case QEvent::MouseButtonRelease: {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
                return false;
            }
            // Without a press held, the press was no tap: nothing to release either.
            if (!held_) {
                return true;
            }
            const std::unique_ptr<QMouseEvent> press = std::move(held_);
            const std::unique_ptr<QEvent> release(event->clone());
            replaying_ = true;
            QCoreApplication::sendEvent(watched, press.get());
            QCoreApplication::sendEvent(watched, release.get());
            replaying_ = false;
            return true;
        }
        default:
            return false;
        }
    }

private:
    std::unique_ptr<QMouseEvent> held_;
    bool replaying_ = false;
    bool stoppedRunning_ = false;
    QScroller::State lastState_ = QScroller::Inactive;
};

} // namespace

void ScrollByFinger(QAbstractScrollArea* area) {
    // The scroller moves the contents by the pixel; an item view otherwise counts whole rows.
    if (auto* view = qobject_cast<QAbstractItemView*>(area)) {
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
    QScroller::grabGesture(area->viewport(), QScroller::LeftMouseButtonGesture);
    QScroller* scroller = QScroller::scroller(area->viewport());
    QScrollerProperties properties = scroller->scrollerProperties();
    // The press waits here instead (TapsOnRelease), for as long as the finger rests.
    properties.setScrollMetric(QScrollerProperties::MousePressEventDelay, 0.0);
    // Contents pulled past their end and springing back look broken on a terminal's screen.
    const QVariant never = QVariant::fromValue(QScrollerProperties::OvershootAlwaysOff);
    properties.setScrollMetric(QScrollerProperties::VerticalOvershootPolicy, never);
    properties.setScrollMetric(QScrollerProperties::HorizontalOvershootPolicy, never);
    scroller->setScrollerProperties(properties);
    // Taps land on a scroll area's widget, or on an item view's viewport.
    auto* scrollArea = qobject_cast<QScrollArea*>(area);
    QWidget* contents = scrollArea != nullptr && scrollArea->widget() != nullptr
                            ? scrollArea->widget()
                            : area->viewport();
    contents->installEventFilter(new TapsOnRelease(contents, scroller));
}
