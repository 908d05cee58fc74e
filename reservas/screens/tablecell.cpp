#include "screens/tablecell.h"

#include "packagetexts.h"

#include <QPainter>
#include <QTime>
#include <algorithm>
#include <utility>
#include <vector>

namespace Reservas {

namespace {

// The colour halfway between two plain colours, channel by channel.
Graphics::TColor halfway(Graphics::TColor one, Graphics::TColor other) {
    Graphics::TColor mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        mixed |= (((one >> shift) & 0xFFu) + ((other >> shift) & 0xFFu)) / 2 << shift;
    }
    return mixed;
}

} // namespace

TableCell::TableCell(const RestaurantTable& table, const MessageScheme& scheme, QWidget* parent)
    : TBlendedButton(parent), table_(table), scheme_(scheme) {
    seats_ = ToQString(
        Text(table.Seats == 1 ? "MESA_LUGAR" : "MESA_LUGARES", QString::number(table.Seats)));
    setObjectName(QStringLiteral("mesa%1").arg(table.Number));
    setCheckable(true);
    SetTaken(false);
    SetDownColor(scheme.Frame);
    SetDownFontColor(scheme.KeyText);
    // Dimmed towards the panel, so a held table recedes whatever the scheme.
    SetDisabledColor(halfway(scheme.Key, scheme.Panel));
    SetDisabledFontColor(halfway(scheme.KeyText, scheme.Panel));
    showPicked(false);
    connect(this, &QAbstractButton::toggled, this, &TableCell::showPicked);
}

void TableCell::SetTaken(bool taken, const AnsiString& until) {
    taken_.clear();
    if (taken) {
        taken_ << ToQString(Text("GRADE_OCUPADA"));
        const QTime end = QTime::fromString(ToQString(until), QStringLiteral("HHmm"));
        if (end.isValid()) {
            // A line of its own: beside "ocupada" it would not fit the cell's width.
            taken_ << ToQString(Text("GRADE_ATE", end.toString(QStringLiteral("HH:mm"))));
        }
        setChecked(false);
    }
    setEnabled(!taken);
    setAccessibleName(
        (QStringList{QString::number(table_.Number)} + linesUnderNumber()).join(QLatin1Char(' ')));
    update();
}

QStringList TableCell::linesUnderNumber() const {
    return taken_.isEmpty() ? QStringList{seats_} : taken_;
}

void TableCell::showPicked(bool picked) {
    SetBrushColor(picked ? scheme_.Text : scheme_.Key);
    SetFontColor(picked ? scheme_.Panel : scheme_.KeyText);
}

void TableCell::paintContent(QPainter& painter, const QColor& fontColor) {
    // Sized by the cell, which shrinks when the restaurant has more tables than the grid holds
    // at full size.
    QFont number = font();
    number.setPixelSize(std::max(1, height() * 2 / 5));
    number.setBold(true);
    QFont small = font();
    small.setPixelSize(std::max(1, height() / 6));
    small.setBold(!taken_.isEmpty());
    std::vector<std::pair<QString, QFont>> lines{{QString::number(table_.Number), number}};
    for (const QString& line : linesUnderNumber()) {
        lines.emplace_back(line, small);
    }

    int total = 0;
    for (const auto& line : lines) {
        total += QFontMetrics(line.second).height();
    }
    painter.setPen(fontColor);
    int top = (height() - total) / 2;
    for (const auto& [words, lineFont] : lines) {
        const int lineHeight = QFontMetrics(lineFont).height();
        painter.setFont(lineFont);
        painter.drawText(QRect(0, top, width(), lineHeight), Qt::AlignCenter, words);
        top += lineHeight;
    }
}

} // namespace Reservas
