#pragma once

#include "daylist/timeline.h"

#include <QScrollArea>
#include <functional>

// The timeline on the screen: rows tall enough to tap, scrolled when the restaurant has more
// tables than fit. A tap on a block names its reservation through OnTap.
class TimelineView : public QScrollArea {
    Q_OBJECT

public:
    TimelineView(const MessageScheme& scheme, QWidget* parent);

    void ShowTimeline(Timeline timeline);
    // Marks the reservation numbered selected (empty: none).
    void SetSelected(const AnsiString& selected);
    const Timeline& Shown() const { return timeline_; }
    // What the timeline is painted on, in whose coordinates blocks are tapped.
    QWidget* Canvas() const { return widget(); }

    std::function<void(const AnsiString& nrresmesa)> OnTap;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitCanvas();

    MessageScheme scheme_;
    Timeline timeline_;
    AnsiString selected_;
    QWidget* hours_ = nullptr;

    friend class TimelineCanvas;
    friend class TimelineHours;
};
