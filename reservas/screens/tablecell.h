#pragma once

#include "hostlib/blendedbutton.h"
#include "hostlib/messagescheme.h"
#include "reservas/store.h"

#include <QStringList>

namespace Reservas {

// One table of the grid as a touch key: its number large and its seats small below it. Tapping
// toggles it picked (checked), shown in the scheme's text colour. A table another reservation
// holds is disabled, in a dimmed colour, and says so and until when in place of its seats, which
// do not matter while it cannot be picked.
class TableCell : public TBlendedButton {
    Q_OBJECT

public:
    TableCell(const RestaurantTable& table, const MessageScheme& scheme, QWidget* parent);

    const RestaurantTable& Table() const { return table_; }
    // Taken until the end given (HHMM; empty when not known), or free. A table taken is no
    // longer picked.
    // Its accessible name is what it says: the number, then the seats or until when it is taken.
    void SetTaken(bool taken, const AnsiString& until = {});

protected:
    void paintContent(QPainter& painter, const QColor& fontColor) override;

private:
    void showPicked(bool picked);
    // What the cell says below its number.
    QStringList linesUnderNumber() const;

    RestaurantTable table_;
    MessageScheme scheme_;
    QString seats_;
    QStringList taken_;
};

} // namespace Reservas
