#pragma once

#include "framework/ansistring.h"
#include "hostlib/messagescheme.h"
#include "reservas/store.h"

#include <QRect>
#include <QStringList>
#include <vector>

class QPainter;

// One reservation on one row of the timeline. A reservation holding two tables is a block on
// each of their rows.
struct TimelineBlock {
    AnsiString Number;
    int Row = 0;
    int StartMinute = 0; // from the day's midnight; past midnight counts on
    int EndMinute = 0;
    QString Name;
    QString People;
    bool NoShow = false;
};

// The day as the tables see it: one row per restaurant table, then as many rows "sem mesa" as
// reservations without a table overlap, and the hours from FirstHour to LastHour across.
struct Timeline {
    QStringList Rows;
    int FirstHour = 0;
    int LastHour = 0;
    std::vector<TimelineBlock> Blocks;
};

// The service the scale always spans, lunch to midnight, so that a quiet day looks like the
// busy one and the same hour stands in the same place from day to day; reservations outside it
// widen it.
constexpr int serviceOpens = 11;
constexpr int serviceCloses = 24;

// Cancelled reservations hold no table and are left out.
Timeline TimelineOf(const std::vector<Reservas::DayReservation>& reservations,
                    const std::vector<Reservas::RestaurantTable>& tables);

// Where the parts of a timeline stand in area: painting and tapping agree through it. The hours'
// band and the tables' names grow by scale (1: as drawn for 1024x768).
class TimelinePlaces {
public:
    TimelinePlaces(const QRect& area, const Timeline& timeline, double scale = 1.0);
    QRect Block(const TimelineBlock& block) const;
    QRect Row(int row) const;
    QRect Label(int row) const;
    int X(int minute) const;
    int HeaderBottom() const { return area_.top() + headerHeight_; }
    int HeaderHeight() const { return headerHeight_; }
    int LabelWidth() const { return labelWidth_; }

private:
    QRect area_;
    const Timeline& timeline_;
    int headerHeight_;
    int labelWidth_;
    double rowHeight_;
};

// Paints timeline into area in scheme's colours, the reservation numbered selected (if any)
// marked, its type grown by scale; the screen and the printout both draw through it.
void PaintTimeline(QPainter& painter, const QRect& area, const Timeline& timeline,
                   const MessageScheme& scheme, const AnsiString& selected, double scale = 1.0);

// The block at point, or nullptr.
const TimelineBlock* BlockAt(const QRect& area, const Timeline& timeline, const QPoint& point,
                             double scale = 1.0);
