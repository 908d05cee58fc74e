#include "daylist/timelineview.h"

#include "hostlib/touchscale.h"
#include "touchinput/fingerscroll.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

// Rows below this are hard to hit with a finger: the view scrolls instead. Sizes at 1024x768,
// grown by the view's scale.
constexpr int leastRowPixels = 30;
constexpr int scrollBarWidth = 44;
constexpr int handlePixels = 56;

} // namespace

class TimelineCanvas : public QWidget {
public:
    explicit TimelineCanvas(TimelineView* view) : QWidget(view), view_(view) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintTimeline(painter, rect(), view_->timeline_, view_->scheme_, view_->selected_,
                      view_->scale_);
    }
    // The finger scroller hands the press on only for a tap.
    void mousePressEvent(QMouseEvent* event) override {
        const TimelineBlock* tapped =
            BlockAt(rect(), view_->timeline_, event->position().toPoint(), view_->scale_);
        if (tapped != nullptr && view_->OnTap) {
            view_->OnTap(tapped->Number);
        }
    }

private:
    TimelineView* view_;
};

// The hours stay in sight while the rows scroll: the canvas's top, painted again over the
// viewport, where the canvas's own hours stand when not scrolled. Blocks never reach it.
class TimelineHours : public QWidget {
public:
    explicit TimelineHours(TimelineView* view) : QWidget(view), view_(view) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintTimeline(painter, view_->widget()->rect(), view_->timeline_, view_->scheme_,
                      view_->selected_, view_->scale_);
    }

private:
    TimelineView* view_;
};

TimelineView::TimelineView(const MessageScheme& scheme, QWidget* parent)
    : QScrollArea(parent), scheme_(scheme) {
    setObjectName(QStringLiteral("dayTimeline"));
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidget(new TimelineCanvas(this));
    hours_ = new TimelineHours(this);
    ScrollByFinger(this);
    FitRows(1.0);
}

void TimelineView::FitRows(double scale) {
    scale_ = scale;
    const QString panel = Graphics::ToQColor(scheme_.Panel).name();
    const QString key = Graphics::ToQColor(scheme_.Key).name();
    setStyleSheet(QStringLiteral("QScrollArea#dayTimeline { background: %1; border: none; }"
                                 "QScrollArea#dayTimeline QScrollBar:vertical { background: %1;"
                                 " width: %3px; }"
                                 "QScrollArea#dayTimeline QScrollBar::handle:vertical {"
                                 " background: %2; min-height: %4px; border-radius: 6px;"
                                 " margin: 2px; }"
                                 "QScrollArea#dayTimeline QScrollBar::add-line:vertical,"
                                 " QScrollArea#dayTimeline QScrollBar::sub-line:vertical {"
                                 " height: 0; }")
                      .arg(panel, key, QString::number(Scaled(scrollBarWidth, scale)),
                           QString::number(Scaled(handlePixels, scale))));
    fitCanvas();
    widget()->update();
    hours_->update();
}

void TimelineView::ShowTimeline(Timeline timeline) {
    timeline_ = std::move(timeline);
    fitCanvas();
    widget()->update();
    hours_->update();
}

void TimelineView::SetSelected(const AnsiString& selected) {
    selected_ = selected;
    widget()->update();
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    fitCanvas();
}

void TimelineView::fitCanvas() {
    const int headerHeight = TimelinePlaces(rect(), timeline_, scale_).HeaderHeight();
    const int needed = headerHeight + int(timeline_.Rows.size()) * Scaled(leastRowPixels, scale_);
    if (needed <= height()) {
        widget()->resize(width(), height());
    } else {
        widget()->resize(width() - Scaled(scrollBarWidth, scale_), needed);
    }
    hours_->setGeometry(0, 0, widget()->width(), headerHeight);
    hours_->raise();
}
