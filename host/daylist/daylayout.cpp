#include "daylist/daylayout.h"

#include "hostlib/touchscale.h"

#include <cmath>
#include <iterator>

namespace {

// The screen as drawn for 1024x768: margins, gaps, and where each part stands there.
constexpr int designWidth = 1024;
constexpr int margin = 16;
constexpr int gap = 8;
constexpr int lineGap = 4; // between the list, the line beneath it and the keys
constexpr int topKeyHeight = 80;
constexpr int previousDayWidth = 80;
constexpr int headingTop = 12;
constexpr int headingHeight = 56;
constexpr int statusTop = 68;
constexpr int statusHeight = 28;
constexpr int coversTop = 100;
constexpr int lineHeight = 26;
constexpr int listTop = 130;
constexpr int serviceKeyHeight = 66;
constexpr int mainKeyHeight = 88;
constexpr int sideKeyWidth = 240;

struct TopKey {
    const char* name;
    int width;
};
// The day keys at the right of the heading, from the window's right edge leftwards.
constexpr TopKey rightTopKeys[] = {{"calendar", 150}, {"today", 120}, {"nextDay", 80}};

struct RowKey {
    const char* name;
    int x;
    int width;
};
// The two rows of keys beneath the list: the service of the selected reservation and the day's
// views, then the main keys.
constexpr RowKey serviceKeys[] = {{"arrived", 16, 158},     {"noShow", 182, 158},
                                  {"history", 348, 158},    {"findReservation", 514, 158},
                                  {"viewToggle", 680, 158}, {"print", 846, 162}};
constexpr RowKey mainKeys[] = {{"newReservation", 16, 240},
                               {"editReservation", 264, 240},
                               {"cancelReservation", 512, 240},
                               {"exit", 768, 240}};

// The keys in their two rows beneath a list across the whole window, as wide as the window
// allows and as tall as the scale makes them.
void keysBeneath(DayLayout& layout, const QSize& window) {
    const double scale = layout.Scale;
    const int edge = Scaled(margin, scale);
    const int mainTop = window.height() - edge - Scaled(mainKeyHeight, scale);
    const int serviceTop = mainTop - Scaled(gap, scale) - Scaled(serviceKeyHeight, scale);
    const int selectionTop = serviceTop - Scaled(lineGap, scale) - Scaled(lineHeight, scale);
    const double across = double(window.width() - 2 * edge) / (designWidth - 2 * margin);
    const auto place = [&](const RowKey& key, int top, int height) {
        const int left = edge + int(std::lround((key.x - margin) * across));
        const int right = edge + int(std::lround((key.x + key.width - margin) * across));
        layout.Keys[QString::fromLatin1(key.name)] = QRect(left, top, right - left, height);
    };
    for (const RowKey& key : serviceKeys) {
        place(key, serviceTop, Scaled(serviceKeyHeight, scale));
    }
    for (const RowKey& key : mainKeys) {
        place(key, mainTop, Scaled(mainKeyHeight, scale));
    }
    const int width = window.width() - 2 * edge;
    const int top = Scaled(listTop, scale);
    layout.Covers = QRect(edge, Scaled(coversTop, scale), width, Scaled(lineHeight, scale));
    layout.List = QRect(edge, top, width, selectionTop - Scaled(lineGap, scale) - top);
    layout.Selection = QRect(edge, selectionTop, width, Scaled(lineHeight, scale));
}

// The keys two by two in a column at the right, the main keys lowest; the list down to the
// bottom at their left, and the line about the selection in the room above the keys.
void keysBeside(DayLayout& layout, const QSize& window, int columnWidth) {
    const double scale = layout.Scale;
    const int edge = Scaled(margin, scale);
    const int keyWidth = Scaled(sideKeyWidth, scale);
    const int left = window.width() - edge - columnWidth;
    int bottom = window.height() - edge;
    const auto placePair = [&](const RowKey* pair, int designHeight) {
        const int height = Scaled(designHeight, scale);
        const int top = bottom - height;
        layout.Keys[QString::fromLatin1(pair[0].name)] = QRect(left, top, keyWidth, height);
        layout.Keys[QString::fromLatin1(pair[1].name)] =
            QRect(left + keyWidth + Scaled(gap, scale), top, keyWidth, height);
        bottom = top - Scaled(gap, scale);
    };
    for (int pair = int(std::size(mainKeys)) - 2; pair >= 0; pair -= 2) {
        placePair(&mainKeys[pair], mainKeyHeight);
    }
    bottom -= Scaled(gap, scale);
    for (int pair = int(std::size(serviceKeys)) - 2; pair >= 0; pair -= 2) {
        placePair(&serviceKeys[pair], serviceKeyHeight);
    }
    const int top = Scaled(listTop, scale);
    const int listWidth = left - 2 * edge;
    layout.Covers = QRect(edge, Scaled(coversTop, scale), listWidth, Scaled(lineHeight, scale));
    layout.List = QRect(edge, top, listWidth, window.height() - edge - top);
    layout.Selection = QRect(left, top, columnWidth, bottom - Scaled(gap, scale) - top);
}

} // namespace

DayLayout LayOutDay(const QSize& window) {
    DayLayout layout;
    layout.Scale = TouchScale(window);
    layout.RowScale = 1.0 + (layout.Scale - 1.0) / 4.0;
    const double scale = layout.Scale;
    const int edge = Scaled(margin, scale);
    const int topHeight = Scaled(topKeyHeight, scale);

    layout.Keys[QStringLiteral("previousDay")] =
        QRect(edge, edge, Scaled(previousDayWidth, scale), topHeight);
    int right = window.width() - edge;
    for (const TopKey& key : rightTopKeys) {
        const int width = Scaled(key.width, scale);
        layout.Keys[QString::fromLatin1(key.name)] = QRect(right - width, edge, width, topHeight);
        right -= width + Scaled(gap, scale);
    }
    const int headingLeft = edge + Scaled(previousDayWidth, scale) + Scaled(gap, scale);
    layout.Heading = QRect(headingLeft, Scaled(headingTop, scale), right - headingLeft,
                           Scaled(headingHeight, scale));
    layout.Status = QRect(headingLeft, Scaled(statusTop, scale), right - headingLeft,
                          Scaled(statusHeight, scale));

    const int columnWidth = 2 * Scaled(sideKeyWidth, scale) + Scaled(gap, scale);
    const int listBeside = window.width() - columnWidth - 3 * edge;
    layout.KeysAtSide = listBeside >= Scaled(designWidth - 2 * margin, layout.RowScale);
    if (layout.KeysAtSide) {
        keysBeside(layout, window, columnWidth);
    } else {
        keysBeneath(layout, window);
    }
    return layout;
}
