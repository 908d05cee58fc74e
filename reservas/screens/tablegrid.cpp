#include "screens/tablegrid.h"

#include "framework/events.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/mensagem.h"
#include "hostlib/messagescheme.h"
#include "hostlib/pergunta.h"
#include "packagetexts.h"
#include "reservas/changewatcher.h"
#include "screens/tablecell.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <utility>

namespace Reservas {

namespace {

// The grid covers the entry screen it appears over: a heading, the seats picked, the cells and
// a row of keys, one under the other.
constexpr QSize dialogSize(723, 582);
constexpr int margin = 14;
constexpr int gap = 10;
constexpr int inner = dialogSize.width() - 2 * margin;
constexpr QRect headingArea(margin, margin, inner, 40);
constexpr QRect seatsArea(margin, headingArea.y() + headingArea.height(), inner, 32);
constexpr QRect keysArea(margin, dialogSize.height() - margin - 76, inner, 76);
constexpr int gridTop = seatsArea.y() + seatsArea.height() + gap;
constexpr QRect gridArea(margin, gridTop, inner, keysArea.y() - margin - gridTop);
constexpr int columns = 5;
constexpr int keys = 3;
// Twenty tables fill the grid; more make the rows lower, so that all fit without scrolling.
constexpr int fullRows = 4;

QRect cellArea(int index, int count) {
    const int rows = std::max(fullRows, (count + columns - 1) / columns);
    const int rowGap = gap * fullRows / rows;
    const int width = (gridArea.width() - gap * (columns - 1)) / columns;
    const int height = (gridArea.height() - rowGap * (rows - 1)) / rows;
    return {gridArea.x() + index % columns * (width + gap),
            gridArea.y() + index / columns * (height + rowGap), width, height};
}

QLabel* addLabel(QWidget* parent, const QString& name, const QRect& area, int pixels, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(area);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

bool holds(const std::vector<int>& tables, int number) {
    return std::find(tables.begin(), tables.end(), number) != tables.end();
}

// Until when the table numbered number is taken; empty when not said.
AnsiString takenUntil(const std::vector<std::pair<int, AnsiString>>& until, int number) {
    const auto found = std::find_if(until.begin(), until.end(),
                                    [number](const auto& table) { return table.first == number; });
    return found != until.end() ? found->second : AnsiString();
}

} // namespace

TableGridDialog::TableGridDialog(const TableChoice& choice, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), people_(choice.People),
      schemeId_(choice.SchemeId) {
    const MessageScheme scheme = SchemeFor(choice.SchemeId);
    setWindowTitle(ToQString(Text("GRADE_TITULO")));
    setFixedSize(dialogSize);
    // The entry screen's own style sheet must not reach the grid, which keeps the scheme's
    // colours.
    setStyleSheet(QStringLiteral("QDialog { background: %1; border: 3px solid %2; }"
                                 "QLabel { background: transparent; border: none; color: %3; }")
                      .arg(Graphics::ToQColor(scheme.Panel).name(),
                           Graphics::ToQColor(scheme.Frame).name(),
                           Graphics::ToQColor(scheme.Text).name()));

    addLabel(this, QStringLiteral("heading"), headingArea, 26, true)
        ->setText(ToQString(choice.Heading));
    seats_ = addLabel(this, QStringLiteral("lugares"), seatsArea, 20, false);
    addCells(choice, scheme);
    if (choice.RefreshTaken) {
        watchTaken(choice.RefreshTaken);
    }
    addKey(0, "GRADE_VOLTAR", QStringLiteral("voltar"), scheme, [this] { finish(std::nullopt); });
    addKey(1, "GRADE_SEM_MESA", QStringLiteral("semMesa"), scheme,
           [this] { finish(std::vector<int>{}); });
    addKey(2, "GRADE_CONFIRMAR", QStringLiteral("confirmar"), scheme, [this] { confirm(); });
    showSeats();

    const QRect over = parent != nullptr ? parent->frameGeometry()
                                         : QGuiApplication::primaryScreen()->availableGeometry();
    move(over.center() - rect().center());
}

void TableGridDialog::addCells(const TableChoice& choice, const MessageScheme& scheme) {
    const int count = static_cast<int>(choice.Tables.size());
    for (int index = 0; index < count; ++index) {
        const RestaurantTable& table = choice.Tables[static_cast<std::size_t>(index)];
        const bool taken = holds(choice.Taken, table.Number);
        auto* cell = new TableCell(table, scheme, this);
        cell->SetTaken(taken, takenUntil(choice.TakenUntil, table.Number));
        cell->setGeometry(cellArea(index, count));
        cell->setChecked(!taken && holds(choice.Picked, table.Number));
        cell->OnClick = [this](QObject*) { showSeats(); };
        cells_.push_back(cell);
    }
}

void TableGridDialog::addKey(int index, const char* caption, const QString& name,
                             const MessageScheme& scheme, std::function<void()> action) {
    auto* key = new TBlendedButton(this);
    key->setObjectName(name);
    key->SetCaption(Text(caption));
    const int width = (keysArea.width() - gap * (keys - 1)) / keys;
    key->setGeometry(keysArea.x() + index * (width + gap), keysArea.y(), width, keysArea.height());
    key->SetFontHeight(24);
    key->SetFontBold(true);
    key->SetBrushColor(scheme.Key);
    key->SetFontColor(scheme.KeyText);
    key->SetDownColor(scheme.Frame);
    key->SetDownFontColor(scheme.KeyText);
    key->OnClick = [action = std::move(action)](QObject*) { action(); };
}

std::vector<int> TableGridDialog::pickedTables() const {
    std::vector<int> tables;
    for (const TableCell* cell : cells_) {
        if (cell->isChecked()) {
            tables.push_back(cell->Table().Number);
        }
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

int TableGridDialog::pickedSeats() const {
    int seats = 0;
    for (const TableCell* cell : cells_) {
        if (cell->isChecked()) {
            seats += cell->Table().Seats;
        }
    }
    return seats;
}

void TableGridDialog::showSeats() {
    seats_->setText(
        ToQString(Text("GRADE_LUGARES", QString::number(pickedSeats()), QString::number(people_))));
}

// A table another terminal takes turns "ocupada" while the operator looks; one that was picked
// leaves the picks and the operator is told, as when storing finds it taken, so that a
// Confirmar tapped at that moment never stores without the table unnoticed. One another
// terminal frees can be picked. Should the tables not be read, the grid stays as it was:
// storing checks them again anyway.
void TableGridDialog::watchTaken(std::function<TablesAround()> refreshTaken) {
    auto* watcher = new ChangeWatcher(this);
    refreshTaken_ = std::move(refreshTaken);
    connect(watcher, &ChangeWatcher::Changed, this, &TableGridDialog::readTakenAgain);
    connect(watcher, &ChangeWatcher::ConnectionBack, this, &TableGridDialog::readTakenAgain);
}

// Read in the background, so that a tap on the grid is never held up by it; one reading at a
// time, and one more when the database changed again meanwhile.
void TableGridDialog::readTakenAgain() {
    if (!readings_.Start()) {
        return;
    }
    ReadInBackground<TablesAround>(
        this, refreshTaken_, [this](const TablesAround& around) { showTaken(around); },
        [this] { readingDone(); });
}

void TableGridDialog::readingDone() {
    if (readings_.Done()) {
        readTakenAgain();
    }
}

void TableGridDialog::showTaken(const TablesAround& around) {
    std::vector<int> lost;
    for (TableCell* cell : cells_) {
        const int number = cell->Table().Number;
        const bool nowTaken = holds(around.Taken, number);
        if (nowTaken && cell->isChecked()) {
            lost.push_back(number);
        }
        cell->SetTaken(nowTaken, takenUntil(around.TakenUntil, number));
    }
    showSeats();
    if (!lost.empty()) {
        Forms::HandleEvent([this, &lost] {
            Mensagem(TablesTaken(lost).Message(), "", "S", "N", tmWarning, "", schemeId_, 0,
                     nullptr);
        });
        // The message had the keyboard; with no window manager to give it back, the grid
        // takes it itself.
        activateWindow();
    }
    readingDone();
}

void TableGridDialog::confirm() {
    const std::vector<int> tables = pickedTables();
    const int seats = pickedSeats();
    if (!tables.empty() && seats < people_ &&
        !Pergunta(Text("POUCOS_LUGARES", QString::number(seats), QString::number(people_)),
                  schemeId_)) {
        // The question had the keyboard; with no window manager to give it back, the grid
        // takes it itself.
        activateWindow();
        return;
    }
    finish(tables);
}

void TableGridDialog::finish(std::optional<std::vector<int>> tables) {
    answer_ = std::move(tables);
    done(answer_ ? Accepted : Rejected);
}

void TableGridDialog::keyPressEvent(QKeyEvent* event) {
    // A key still held from the entry screen must not answer the grid unseen.
    const bool repeated = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!repeated) {
            Forms::HandleEvent([this] { confirm(); });
        }
        break;
    case Qt::Key_Escape:
        if (!repeated) {
            finish(std::nullopt);
        }
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TableGridDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A kiosk runs no window manager to hand the keyboard to a new window.
    activateWindow();
}

} // namespace Reservas
