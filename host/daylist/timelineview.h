#pragma once

#include "daylist/timeline.h"

#include <QScrollArea>
#include <functional>

// The timeline on the screen: rows tall enough to tap, scrolled by a finger's drag when the
// restaurant has more tables than fit. A tap on a block names its reservation through OnTap.
class TimelineView : public QScrollArea {
    Q_OBJECT

public:
    TimelineView(const MessageScheme& scheme, QWidget* parent);

    void ShowTimeline(Timeline timeline);
    // Marks the reservation numbered selected (empty: none).
    void SetSelected(const AnsiString& selected);
    const Timeline& Shown() const { return timeline_; }
    // The hours, names and least row height grown by scale (1: as drawn for 1024x768).
    void FitRows(double scale);
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
    double scale_ = 1.0;
    QWidget* hours_ = nullptr;

    friend class TimelineCanvas;
    friend class TimelineHours;
};
