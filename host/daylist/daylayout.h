#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <map>

// Where everything of the day window stands in a window of a given size. At 1024x768 it is the
// screen as first drawn, to the pixel. Larger, keys, type and margins grow by TouchScale while the
// list takes the rest of the room for more rows, its rows growing only a quarter as much. A
// window wide enough for a list of full width beside two columns of keys takes the keys to the
// right, and the list then runs down to the bottom; the line about the selected reservation
// stands above the keys.
struct DayLayout {
    double Scale = 1.0;
    double RowScale = 1.0;
    bool KeysAtSide = false;
    QRect Heading;
    QRect Status;
    QRect Covers;
    QRect List;
    QRect Selection;
    std::map<QString, QRect> Keys; // by the key's object name
};

DayLayout LayOutDay(const QSize& window);
