#pragma once

#include "reservas/changewatcher.h"
#include "reservas/hooks.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
struct MessageScheme;

namespace Reservas {

class TableCell;
struct GridLayout;

// The touch grid of the restaurant's tables, shown over the entry screen once a reservation has
// been entered (over the whole screen on one larger than 1024x768). Cells are named
// "mesa<number>" and stand in the scroll area "mesas", the label of the seats picked "lugares",
// the keys "voltar", "semMesa" and "confirmar"; Enter confirms and Esc goes back.
class TableGridDialog : public QDialog {
    Q_OBJECT

public:
    TableGridDialog(const TableChoice& choice, QWidget* parent);

    // The tables picked (ascending; empty for none), or nothing when the operator went back.
    const std::optional<std::vector<int>>& Answer() const { return answer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void addCells(const TableChoice& choice, const MessageScheme& scheme, const GridLayout& layout);
    void addKey(int index, const char* caption, const QString& name, const MessageScheme& scheme,
                const GridLayout& layout, std::function<void()> action);
    std::vector<int> pickedTables() const;
    int pickedSeats() const;
    void showSeats();
    void watchTaken(std::function<TablesAround()> refreshTaken);
    void readTakenAgain();
    void readingDone();
    void showTaken(const TablesAround& around);
    void confirm();
    bool meantAsPicked(const std::vector<int>& tables) const;
    void finish(std::optional<std::vector<int>> tables);

    int people_ = 0;
    AnsiString schemeId_;
    std::function<void(const std::vector<int>&)> goneBackWith_;
    QLabel* seats_ = nullptr;
    std::vector<TableCell*> cells_;
    std::optional<std::vector<int>> answer_;
    std::function<TablesAround()> refreshTaken_;
    ReadingsInTurn readings_;
};

} // namespace Reservas
