#pragma once

#include "hostlib/blendedbutton.h"
#include "hostlib/messagescheme.h"
#include "reservas/store.h"

namespace Reservas {

// One table of the grid as a touch key: its number large and its seats small below it. Tapping
// toggles it picked (checked), shown in the scheme's text colour. A table another reservation
// holds is disabled, in a dimmed colour and with the word for it.
class TableCell : public TBlendedButton {
    Q_OBJECT

public:
    TableCell(const RestaurantTable& table, bool taken, const MessageScheme& scheme,
              QWidget* parent);

    const RestaurantTable& Table() const { return table_; }
    // A table taken is no longer picked.
    void SetTaken(bool taken);

protected:
    void paintContent(QPainter& painter, const QColor& fontColor) override;

private:
    void showPicked(bool picked);

    RestaurantTable table_;
    MessageScheme scheme_;
    QString seats_;
    QString taken_;
};

} // namespace Reservas
