#include "screens/tablegrid.h"

#include "framework/events.h"
#include "hostlib/answerkeys.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/mensagem.h"
#include "hostlib/messagescheme.h"
#include "hostlib/pergunta.h"
#include "hostlib/touchscale.h"
#include "packagetexts.h"
#include "reservas/changewatcher.h"
#include "screens/gridlayout.h"
#include "screens/tablecell.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScroller>
#include <algorithm>
#include <utility>

namespace Reservas {

namespace {

constexpr int keyCount = 3;

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
      schemeId_(choice.SchemeId), goneBackWith_(choice.GoneBackWith) {
    const MessageScheme scheme = SchemeFor(choice.SchemeId);
    // The screen the grid shows on: that of the window it covers.
    QScreen* screen = ScreenOf(parent);
    const GridLayout layout(screen->geometry().size(), static_cast<int>(choice.Tables.size()));
    setWindowTitle(ToQString(Text("GRADE_TITULO")));
    setFixedSize(layout.Dialog);
    // The entry screen's own style sheet must not reach the grid, which keeps the scheme's
    // colours.
    setStyleSheet(QStringLiteral("QDialog { background: %1; border: 3px solid %2; }"
                                 "QLabel { background: transparent; border: none; color: %3; }")
                      .arg(Graphics::ToQColor(scheme.Panel).name(),
                           Graphics::ToQColor(scheme.Frame).name(),
                           Graphics::ToQColor(scheme.Text).name()));

    addLabel(this, QStringLiteral("heading"), layout.Heading, layout.HeadingPixels, true)
        ->setText(ToQString(choice.Heading));
    seats_ = addLabel(this, QStringLiteral("lugares"), layout.Seats, layout.SeatsPixels, false);
    addCells(choice, scheme, layout);
    if (choice.RefreshTaken) {
        watchTaken(choice.RefreshTaken);
    }
    addKey(0, "GRADE_VOLTAR", QStringLiteral("voltar"), scheme, layout,
           [this] { finish(std::nullopt); });
    addKey(1, "GRADE_SEM_MESA", QStringLiteral("semMesa"), scheme, layout,
           [this] { finish(std::vector<int>{}); });
    addKey(2, "GRADE_CONFIRMAR", QStringLiteral("confirmar"), scheme, layout,
           [this] { confirm(); });
    showSeats();

    const QRect over = parent != nullptr && !layout.Grown() ? parent->frameGeometry()
                                                            : screen->availableGeometry();
    move(over.center() - rect().center());
}

// The cells stand on a surface that a finger drags up and down once they are more than the
// grid shows; a tap still picks, a drag never does.
void TableGridDialog::addCells(const TableChoice& choice, const MessageScheme& scheme,
                               const GridLayout& layout) {
    auto* area = new QScrollArea(this);
    area->setObjectName(QStringLiteral("mesas"));
    area->setGeometry(layout.Cells);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* surface = new QWidget;
    surface->resize(layout.Cells.width(), std::max(layout.CellsHeight, layout.Cells.height()));
    area->setWidget(surface);
    // The panel shows through, as it did before the cells scrolled.
    area->viewport()->setAutoFillBackground(false);
    surface->setAutoFillBackground(false);
    if (layout.Scrolls()) {
        QScroller::grabGesture(area->viewport(), QScroller::LeftMouseButtonGesture);
    }

    const int count = static_cast<int>(choice.Tables.size());
    for (int index = 0; index < count; ++index) {
        const RestaurantTable& table = choice.Tables[static_cast<std::size_t>(index)];
        const bool taken = holds(choice.Taken, table.Number);
        auto* cell = new TableCell(table, scheme, surface);
        cell->SetTaken(taken, takenUntil(choice.TakenUntil, table.Number));
        cell->setGeometry(layout.CellArea(index));
        cell->setChecked(!taken && holds(choice.Picked, table.Number));
        cell->OnClick = [this](QObject*) { showSeats(); };
        cells_.push_back(cell);
    }
}

void TableGridDialog::addKey(int index, const char* caption, const QString& name,
                             const MessageScheme& scheme, const GridLayout& layout,
                             std::function<void()> action) {
    auto* key = new TBlendedButton(this);
    key->setObjectName(name);
    key->SetCaption(Text(caption));
    const QRect& keys = layout.Keys;
    const int width = (keys.width() - layout.Gap * (keyCount - 1)) / keyCount;
    key->setGeometry(keys.x() + index * (width + layout.Gap), keys.y(), width, keys.height());
    key->SetFontHeight(layout.KeyPixels);
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
    if (!meantAsPicked(tables)) {
        // The question had the keyboard; with no window manager to give it back, the grid
        // takes it itself.
        activateWindow();
        return;
    }
    finish(tables);
}

// No table, or fewer seats than people, is more likely a slip than meant: the operator says.
// "Sem mesa" is the key that means no table.
bool TableGridDialog::meantAsPicked(const std::vector<int>& tables) const {
    if (tables.empty()) {
        return Pergunta(Text("GRAVAR_SEM_MESA"), schemeId_);
    }
    const int seats = pickedSeats();
    return seats >= people_ ||
           Pergunta(Text("POUCOS_LUGARES", QString::number(seats), QString::number(people_)),
                    schemeId_);
}

void TableGridDialog::finish(std::optional<std::vector<int>> tables) {
    if (!tables && goneBackWith_) {
        goneBackWith_(pickedTables());
    }
    answer_ = std::move(tables);
    done(answer_ ? Accepted : Rejected);
}

void TableGridDialog::keyPressEvent(QKeyEvent* event) {
    if (!AnswerKey(
            *event, [this] { Forms::HandleEvent([this] { confirm(); }); },
            [this] { finish(std::nullopt); })) {
        QDialog::keyPressEvent(event);
    }
}

void TableGridDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A kiosk runs no window manager to hand the keyboard to a new window.
    activateWindow();
}

} // namespace Reservas
