#include "daylist/reservationlist.h"

#include "hostlib/touchscale.h"
#include "terminaltexts.h"
#include "touchinput/fingerscroll.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Sizes at 1024x768; a larger screen grows them by the list's scale (FitRows).
constexpr int rowPixels = 56;
constexpr int headerHeight = 40;
constexpr int headerFontPixels = 18;
constexpr int scrollBarWidth = 44;
constexpr int rowFontPixels = 22;
constexpr int beneathFontPixels = 15;
constexpr int emptyFontPixels = 24;
// The item's data role of the smaller line beneath its text.
constexpr int beneathRole = Qt::UserRole;

struct Column {
    const char* headingKey;
    AnsiString DayRow::*text;
    int width; // 0: takes the room the others leave
    Qt::Alignment alignment;
    AnsiString DayRow::*beneath = nullptr;
};

constexpr Column columns[] = {
    {"COL_INICIO", &DayRow::Start, 80, Qt::AlignCenter},
    {"COL_FIM", &DayRow::End, 80, Qt::AlignCenter},
    {"COL_NOME", &DayRow::Name, 0, Qt::AlignLeft | Qt::AlignVCenter, &DayRow::Guest},
    {"COL_PESSOAS", &DayRow::People, 96, Qt::AlignCenter},
    {"COL_TELEFONE", &DayRow::Telephone, 188, Qt::AlignCenter},
    {"COL_SITUACAO", &DayRow::Status, 136, Qt::AlignCenter, &DayRow::Arrival},
    {"COL_MESAS", &DayRow::Tables, 140, Qt::AlignCenter},
};

} // namespace

// A cell with a line beneath its text: the text in the upper part of the row, the line smaller
// in the lower; a cell without one is drawn as usual.
class TwoLineCell : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    int BeneathPixels = beneathFontPixels;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString beneath = index.data(beneathRole).toString();
        if (beneath.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem upper = option;
        initStyleOption(&upper, index);
        const QRect whole = upper.rect;
        const int split = whole.top() + whole.height() * 3 / 5;
        upper.rect.setBottom(split);
        upper.displayAlignment =
            (upper.displayAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignBottom;
        // The background of the whole cell first, then the two texts over it.
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter,
                                            option.widget);
        upper.backgroundBrush = Qt::NoBrush;
        upper.state &= ~QStyle::State_Selected;
        upper.palette.setColor(QPalette::Text, (option.state & QStyle::State_Selected)
                                                   ? option.palette.highlightedText().color()
                                                   : upper.palette.text().color());
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &upper, painter,
                                            option.widget);
        painter->save();
        QFont small = upper.font;
        small.setPixelSize(BeneathPixels);
        small.setBold(false);
        painter->setFont(small);
        painter->setPen(upper.palette.text().color());
        const QRect lower(whole.left() + 8, split, whole.width() - 16, whole.bottom() - split);
        painter->drawText(
            lower, int(upper.displayAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop,
            painter->fontMetrics().elidedText(beneath, Qt::ElideRight, lower.width()));
        painter->restore();
    }
};

namespace {

QString colour(Graphics::TColor color) {
    return Graphics::ToQColor(color).name();
}

// Halfway between the text and the background: still legible, plainly not a live reservation.
QColor dimmed(const MessageScheme& scheme) {
    const QColor text = Graphics::ToQColor(scheme.Text);
    const QColor panel = Graphics::ToQColor(scheme.Panel);
    return QColor((text.red() + panel.red()) / 2, (text.green() + panel.green()) / 2,
                  (text.blue() + panel.blue()) / 2);
}

// Scoped by name: the dialogs opened over the window are its children and would inherit it.
QString listStyle(const MessageScheme& scheme, double scale) {
    return QStringLiteral(
               "QTableWidget#dayList { background: %1; color: %2; gridline-color: %3;"
               " selection-background-color: %4; selection-color: %5; border: none; }"
               "QTableWidget#dayList::item { border: none; padding-left: 8px; padding-right: 8px; }"
               "QTableWidget#dayList QHeaderView::section { background: %3; color: %5;"
               " border: none; border-right: 1px solid %1; font-size: %8px; font-weight: bold; }"
               "QTableWidget#dayList QScrollBar:vertical { background: %1; width: %6px; }"
               "QTableWidget#dayList QScrollBar::handle:vertical { background: %3;"
               " min-height: %7px; border-radius: 6px; margin: 2px; }"
               "QTableWidget#dayList QScrollBar::add-line:vertical,"
               " QTableWidget#dayList QScrollBar::sub-line:vertical { height: 0; }"
               "QTableWidget#dayList QScrollBar::add-page:vertical,"
               " QTableWidget#dayList QScrollBar::sub-page:vertical { background: none; }"
               "QLabel#emptyDay { background: transparent; color: %2; font-family: Arial; "
               "font-size: %9px; }")
        .arg(colour(scheme.Panel), colour(scheme.Text), colour(scheme.Key), colour(scheme.Frame),
             colour(scheme.KeyText), QString::number(Scaled(scrollBarWidth, scale)),
             QString::number(Scaled(rowPixels, scale)),
             QString::number(Scaled(headerFontPixels, scale)),
             QString::number(Scaled(emptyFontPixels, scale)));
}

} // namespace

ReservationList::ReservationList(const MessageScheme& scheme, QWidget* parent)
    : QTableWidget(0, int(std::size(columns)), parent), scheme_(scheme), dim_(dimmed(scheme)) {
    setObjectName(QStringLiteral("dayList"));
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    cells_ = new TwoLineCell(this);
    setItemDelegate(cells_);
    ScrollByFinger(this);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    QStringList headings;
    for (int index = 0; index < columnCount(); ++index) {
        const Column& column = columns[index];
        headings << ToQString(TerminalText(column.headingKey));
        header->setSectionResizeMode(index,
                                     column.width == 0 ? QHeaderView::Stretch : QHeaderView::Fixed);
    }
    setHorizontalHeaderLabels(headings);

    empty_ = new QLabel(ToQString(TerminalText("SEM_RESERVAS")), viewport());
    empty_->setObjectName(QStringLiteral("emptyDay"));
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* emptyLayout = new QVBoxLayout(viewport());
    emptyLayout->setContentsMargins(0, 0, 0, 0);
    emptyLayout->addWidget(empty_, 0, Qt::AlignTop);
    FitRows(1.0);
}

void ReservationList::FitRows(double scale) {
    setStyleSheet(listStyle(scheme_, scale));
    QFont rowFont(QStringLiteral("Arial"));
    rowFont.setPixelSize(Scaled(rowFontPixels, scale));
    setFont(rowFont);
    cells_->BeneathPixels = Scaled(beneathFontPixels, scale);
    verticalHeader()->setDefaultSectionSize(Scaled(rowPixels, scale));
    horizontalHeader()->setFixedHeight(Scaled(headerHeight, scale));
    for (int index = 0; index < columnCount(); ++index) {
        if (columns[index].width != 0) {
            horizontalHeader()->resizeSection(index, Scaled(columns[index].width, scale));
        }
    }
    empty_->setFixedHeight(Scaled(rowPixels, scale) * 2);
    // A cancelled reservation's cells carry a font of their own, struck through.
    for (int row = 0; row < rowCount(); ++row) {
        if (rows_[std::size_t(row)].Cancelled) {
            for (int index = 0; index < columnCount(); ++index) {
                item(row, index)->setFont(struckFont());
            }
        }
    }
}

QFont ReservationList::struckFont() const {
    QFont struck = font();
    struck.setStrikeOut(true);
    return struck;
}

void ReservationList::ShowRows(const std::vector<DayRow>& rows, bool sameDay) {
    const int scrolledTo = verticalScrollBar()->value();
    const DayRow* selected = Selected();
    const AnsiString selectedNumber = selected != nullptr ? selected->Number : AnsiString();
    clearSelection();
    rows_ = rows;
    setRowCount(int(rows_.size()));
    const QFont struck = struckFont();
    int reselect = -1;
    for (int row = 0; row < rowCount(); ++row) {
        const DayRow& shown = rows_[std::size_t(row)];
        for (int index = 0; index < columnCount(); ++index) {
            auto* item = new QTableWidgetItem(ToQString(shown.*columns[index].text));
            item->setTextAlignment(columns[index].alignment);
            if (columns[index].beneath != nullptr) {
                item->setData(beneathRole, ToQString(shown.*columns[index].beneath));
            }
            if (shown.Cancelled) {
                item->setFont(struck);
                item->setForeground(dim_);
            }
            setItem(row, index, item);
        }
        if (!selectedNumber.empty() && shown.Number == selectedNumber) {
            reselect = row;
        }
    }
    if (reselect >= 0) {
        QTableWidget::selectRow(reselect);
    }
    // The same day read again stays where the operator scrolled it; another day starts at the
    // top.
    verticalScrollBar()->setValue(sameDay ? scrolledTo : 0);
    empty_->setVisible(rows_.empty());
}

const DayRow* ReservationList::Selected() const {
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return nullptr;
    }
    return &rows_[std::size_t(selected.constFirst().row())];
}

void ReservationList::MoveSelection(int step) {
    if (rows_.empty()) {
        return;
    }
    const QModelIndexList selected = selectionModel()->selectedRows();
    const int last = rowCount() - 1;
    const int from =
        selected.isEmpty() ? (step > 0 ? -1 : rowCount()) : selected.constFirst().row();
    selectAndShow(std::clamp(from + step, 0, last));
}

bool ReservationList::SelectNumber(const AnsiString& number) {
    const auto found = std::find_if(rows_.begin(), rows_.end(),
                                    [&number](const DayRow& row) { return row.Number == number; });
    if (found == rows_.end()) {
        return false;
    }
    selectAndShow(int(found - rows_.begin()));
    return true;
}

void ReservationList::selectAndShow(int row) {
    QTableWidget::selectRow(row);
    scrollToItem(item(row, 0));
}
