#include "daylist/timeline.h"

#include "hostlib/touchscale.h"
#include "terminaltexts.h"

#include <QPainter>
#include <algorithm>
#include <map>

namespace {

constexpr int minutesPerHour = 60;
constexpr int minutesPerDay = 24 * minutesPerHour;
constexpr int blockGap = 2;
// Sizes at 1024x768, grown by the timeline's scale.
constexpr int headerPixels = 28;
constexpr int labelPixels = 96;
constexpr int hourFontPixels = 15;
constexpr int emptyFontPixels = 24;
constexpr int leastBlockFontPixels = 11;
constexpr int mostBlockFontPixels = 18;

// Times are kept as HHMM digits.
int minuteOf(const AnsiString& hhmm) {
    const int digits = ToQString(hhmm).toInt();
    return digits / 100 * minutesPerHour + digits % 100;
}

QColor mixed(const QColor& from, const QColor& to, double share) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

QFont arial(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Reservations without a table go on the first "sem mesa" row free at their time, so that none
// hides another.
int laneFor(std::vector<int>& laneEnds, const TimelineBlock& block) {
    for (std::size_t lane = 0; lane < laneEnds.size(); ++lane) {
        if (laneEnds[lane] <= block.StartMinute) {
            laneEnds[lane] = block.EndMinute;
            return int(lane);
        }
    }
    laneEnds.push_back(block.EndMinute);
    return int(laneEnds.size()) - 1;
}

void paintHours(QPainter& painter, const TimelinePlaces& places, const QRect& area,
                const Timeline& timeline, const QColor& text, const QColor& line, double scale) {
    painter.setFont(arial(Scaled(hourFontPixels, scale), true));
    for (int hour = timeline.FirstHour; hour <= timeline.LastHour; ++hour) {
        const int x = places.X(hour * minutesPerHour);
        painter.setPen(line);
        painter.drawLine(x, places.HeaderBottom(), x, area.bottom());
        if (hour < timeline.LastHour) {
            painter.setPen(text);
            painter.drawText(QRect(x + 3, area.top(), places.X((hour + 1) * minutesPerHour) - x,
                                   places.HeaderHeight()),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("%1h").arg(hour % 24));
        }
    }
}

} // namespace

Timeline TimelineOf(const std::vector<Reservas::DayReservation>& reservations,
                    const std::vector<Reservas::RestaurantTable>& tables) {
    Timeline timeline;
    // A table removed from the restaurant since still shows with what it held.
    std::map<int, int> rowOfTable;
    for (const Reservas::RestaurantTable& table : tables) {
        rowOfTable.emplace(table.Number, 0);
    }
    std::vector<TimelineBlock> held;
    std::vector<TimelineBlock> unseated;
    int first = serviceOpens * minutesPerHour;
    int last = serviceCloses * minutesPerHour;
    for (const Reservas::DayReservation& reservation : reservations) {
        const Reservas::StoredReservation& stored = reservation.Reservation;
        if (stored.IDSTRESMESA == "C") {
            continue;
        }
        TimelineBlock block;
        block.Number = stored.NRRESMESA;
        block.StartMinute = minuteOf(stored.HRINIRESMESA);
        block.EndMinute = minuteOf(stored.HRFINRESMESA);
        if (block.EndMinute <= block.StartMinute) {
            block.EndMinute += minutesPerDay;
        }
        block.Name = ToQString(stored.NMRESMESA);
        block.People = ToQString(stored.NRPESRESMESA);
        block.NoShow = stored.IDSTRESMESA == "N";
        first = std::min(first, block.StartMinute);
        last = std::max(last, block.EndMinute);
        for (const int mesa : reservation.Mesas) {
            rowOfTable.emplace(mesa, 0);
            block.Row = mesa;
            held.push_back(block);
        }
        if (reservation.Mesas.empty()) {
            unseated.push_back(block);
        }
    }
    for (auto& [mesa, row] : rowOfTable) {
        row = int(timeline.Rows.size());
        timeline.Rows << ToQString(TerminalText("LINHA_MESA", QString::number(mesa)));
    }
    for (TimelineBlock& block : held) {
        block.Row = rowOfTable[block.Row];
        timeline.Blocks.push_back(block);
    }
    std::vector<int> laneEnds;
    for (TimelineBlock& block : unseated) {
        block.Row = int(timeline.Rows.size()) + laneFor(laneEnds, block);
        timeline.Blocks.push_back(block);
    }
    for (std::size_t lane = 0; lane < laneEnds.size(); ++lane) {
        timeline.Rows << ToQString(TerminalText("SEM_MESA"));
    }
    timeline.FirstHour = first / minutesPerHour;
    timeline.LastHour = (last + minutesPerHour - 1) / minutesPerHour;
    return timeline;
}

TimelinePlaces::TimelinePlaces(const QRect& area, const Timeline& timeline, double scale)
    : area_(area), timeline_(timeline), headerHeight_(Scaled(headerPixels, scale)),
      labelWidth_(Scaled(labelPixels, scale)),
      rowHeight_(timeline.Rows.isEmpty()
                     ? 0.0
                     : double(area.height() - headerHeight_) / double(timeline.Rows.size())) {}

int TimelinePlaces::X(int minute) const {
    const int left = area_.left() + labelWidth_;
    const int span = std::max(1, (timeline_.LastHour - timeline_.FirstHour) * minutesPerHour);
    return left + int(double(area_.right() - left) *
                      (minute - timeline_.FirstHour * minutesPerHour) / span);
}

QRect TimelinePlaces::Row(int row) const {
    const int top = HeaderBottom() + int(row * rowHeight_);
    const int bottom = HeaderBottom() + int((row + 1) * rowHeight_);
    return {area_.left(), top, area_.width(), bottom - top};
}

QRect TimelinePlaces::Label(int row) const {
    return Row(row)
        .adjusted(6, 0, 0, 0)
        .intersected(QRect(area_.left(), area_.top(), labelWidth_, area_.height()));
}

QRect TimelinePlaces::Block(const TimelineBlock& block) const {
    const QRect row = Row(block.Row);
    return QRect(QPoint(X(block.StartMinute) + blockGap, row.top() + blockGap),
                 QPoint(X(block.EndMinute) - blockGap, row.bottom() - blockGap));
}

void PaintTimeline(QPainter& painter, const QRect& area, const Timeline& timeline,
                   const MessageScheme& scheme, const AnsiString& selected, double scale) {
    const QColor panel = Graphics::ToQColor(scheme.Panel);
    const QColor text = Graphics::ToQColor(scheme.Text);
    const QColor key = Graphics::ToQColor(scheme.Key);
    const QColor keyText = Graphics::ToQColor(scheme.KeyText);
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, panel);
    if (timeline.Rows.isEmpty()) {
        painter.setPen(text);
        painter.setFont(arial(Scaled(emptyFontPixels, scale), false));
        painter.drawText(area, Qt::AlignCenter, ToQString(TerminalText("SEM_RESERVAS")));
        painter.restore();
        return;
    }
    const TimelinePlaces places(area, timeline, scale);
    // Every other row a shade apart, so that the eye keeps to a table across the hours.
    for (int row = 0; row < timeline.Rows.size(); ++row) {
        if (row % 2 == 1) {
            painter.fillRect(places.Row(row), mixed(panel, text, 0.06));
        }
    }
    paintHours(painter, places, area, timeline, text, mixed(panel, text, 0.25), scale);
    painter.setPen(text);
    painter.setFont(arial(Scaled(hourFontPixels, scale), true));
    for (int row = 0; row < timeline.Rows.size(); ++row) {
        painter.drawText(places.Label(row), Qt::AlignLeft | Qt::AlignVCenter, timeline.Rows[row]);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont blockFont =
        arial(std::clamp(places.Row(0).height() / 2, leastBlockFontPixels,
                         std::max(leastBlockFontPixels, Scaled(mostBlockFontPixels, scale))),
              false);
    painter.setFont(blockFont);
    for (const TimelineBlock& block : timeline.Blocks) {
        const QRect place = places.Block(block);
        const bool chosen = !selected.empty() && block.Number == selected;
        // A guest who never came is dimmed: the table stood free after all.
        const QColor fill = chosen ? Graphics::ToQColor(scheme.Frame)
                                   : (block.NoShow ? mixed(key, panel, 0.6) : key);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(place, 4, 4);
        painter.setPen(block.NoShow && !chosen ? mixed(keyText, panel, 0.5) : keyText);
        // The party size matters more than the end of a long name: the name gives way.
        const QRect inside = place.adjusted(5, 0, -3, 0);
        const QString people = QStringLiteral(" (%1)").arg(block.People);
        const QString name = painter.fontMetrics().elidedText(
            block.Name, Qt::ElideRight,
            std::max(0, inside.width() - painter.fontMetrics().horizontalAdvance(people)));
        painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter, name + people);
    }
    painter.restore();
}

const TimelineBlock* BlockAt(const QRect& area, const Timeline& timeline, const QPoint& point,
                             double scale) {
    const TimelinePlaces places(area, timeline, scale);
    for (const TimelineBlock& block : timeline.Blocks) {
        if (places.Block(block).contains(point)) {
            return &block;
        }
    }
    return nullptr;
}
