#include "daylist/foundreservations.h"

#include "daylist/daydisplay.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/touchscale.h"
#include "terminaltexts.h"
#include "touchinput/fingerscroll.h"
#include "touchinput/paneldialog.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// As drawn for a 1024x768 screen: the dialog leaves these margins of the screen free. On a
// larger screen it fills the screen the same way; the rest grows by the screen's TouchScale,
// the rows by a quarter as much, so that the room goes to more of them.
constexpr QSize designScreen(1024, 768);
constexpr QSize screenMargins(16, 34);
constexpr int rowPixels = 60;
constexpr int rowFontPixels = 20;
constexpr int titlePixels = 24;
constexpr int headerPixels = 40;
constexpr int headerFontPixels = 18;
constexpr int scrollBarPixels = 44;
constexpr int handlePixels = 56;
constexpr int marginPixels = 16;
constexpr int spacingPixels = 12;
constexpr QSize backKey(200, 64);
constexpr int backFontPixels = 22;
constexpr int nameColumn = 2; // in bold for a returning guest

// Each column's heading, width (0: the room the others leave) and text.
struct Column {
    const char* headingKey;
    int width;
    AnsiString (*text)(const FoundReservation& found, const DayRow& row);
};

QString shownDate(const QDate& day) {
    return day.toString(QStringLiteral("dd/MM/yyyy"));
}

const Column columns[] = {
    {"COL_DATA", 130,
     [](const FoundReservation& found, const DayRow&) {
         return FromQString(shownDate(found.Reservation.Reservation.DTRESMESA));
     }},
    {"COL_INICIO", 80, [](const FoundReservation&, const DayRow& row) { return row.Start; }},
    // The guest's record under the name; a returning guest marked before it.
    {"COL_NOME", 0,
     [](const FoundReservation& found, const DayRow& row) {
         const AnsiString name =
             found.Guest.Visits > 0 ? TerminalText("CLIENTE_VOLTA", ToQString(row.Name)) : row.Name;
         const AnsiString record =
             GuestRecordText(found.Reservation.Reservation.NRTELRESMESA, found.Guest);
         return record.empty() ? name : name + "\n" + record;
     }},
    {"COL_PESSOAS", 90, [](const FoundReservation&, const DayRow& row) { return row.People; }},
    {"COL_TELEFONE", 180, [](const FoundReservation&, const DayRow& row) { return row.Telephone; }},
    {"COL_SITUACAO", 130, [](const FoundReservation&, const DayRow& row) { return row.Status; }},
};

class FoundDialog : public PanelDialog {
public:
    FoundDialog(const std::vector<FoundReservation>& found, const AnsiString& title,
                const AnsiString& schemeId, QWidget* parent);

    std::optional<std::size_t> Picked() const { return picked_; }

protected:
    void confirm() override;
    void otherKey(QKeyEvent* event) override;

private:
    int current() const;
    void fill(const std::vector<FoundReservation>& found);
    void pick(int row);

    QTableWidget* list_ = nullptr;
    std::optional<std::size_t> picked_;
};

QString colour(Graphics::TColor color) {
    return Graphics::ToQColor(color).name();
}

FoundDialog::FoundDialog(const std::vector<FoundReservation>& found, const AnsiString& title,
                         const AnsiString& schemeId, QWidget* parent)
    : PanelDialog(schemeId, parent) {
    setObjectName(QStringLiteral("foundDialog"));
    setWindowTitle(ToQString(title));
    const QSize screen = ScreenSize();
    const double scale = TouchScale(screen);
    const double rowScale = 1.0 + (scale - 1.0) / 4.0;
    const QSize margins(Scaled(screenMargins.width(), scale),
                        Scaled(screenMargins.height(), scale));
    setFixedSize((screen - 2 * margins).expandedTo(designScreen - 2 * screenMargins));
    auto* layout = new QVBoxLayout(this);
    const int margin = Scaled(marginPixels, scale);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(Scaled(spacingPixels, scale));
    auto* heading = new QLabel(ToQString(title), this);
    heading->setObjectName(QStringLiteral("foundTitle"));
    heading->setTextFormat(Qt::PlainText);
    heading->setWordWrap(true);
    heading->setAlignment(Qt::AlignCenter);
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(Scaled(titlePixels, scale));
    headingFont.setBold(true);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    list_ = new QTableWidget(0, int(std::size(columns)), this);
    list_->setObjectName(QStringLiteral("foundList"));
    list_->setStyleSheet(
        QStringLiteral(
            "QTableWidget#foundList { background: %1; color: %2; gridline-color: %3;"
            " selection-background-color: %4; selection-color: %5; border: none; }"
            "QTableWidget#foundList::item { border: none; padding-left: 6px; padding-right: 6px; }"
            "QTableWidget#foundList QHeaderView::section { background: %3; color: %5;"
            " border: none; border-right: 1px solid %1; font-size: %6px; font-weight: bold; }"
            "QTableWidget#foundList QScrollBar:vertical { background: %1; width: %7px; }"
            "QTableWidget#foundList QScrollBar::handle:vertical { background: %3;"
            " min-height: %8px; border-radius: 6px; margin: 2px; }")
            .arg(colour(Scheme().Panel), colour(Scheme().Text), colour(Scheme().Key),
                 colour(Scheme().Frame), colour(Scheme().KeyText),
                 QString::number(Scaled(headerFontPixels, rowScale)),
                 QString::number(Scaled(scrollBarPixels, rowScale)),
                 QString::number(Scaled(handlePixels, rowScale))));
    // The dialog keeps the keyboard: the arrows and Enter are its own.
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideRight);
    ScrollByFinger(list_);
    QFont rowFont(QStringLiteral("Arial"));
    rowFont.setPixelSize(Scaled(rowFontPixels, rowScale));
    list_->setFont(rowFont);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(Scaled(rowPixels, rowScale));
    QHeaderView* header = list_->horizontalHeader();
    header->setFixedHeight(Scaled(headerPixels, rowScale));
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    QStringList headings;
    for (int index = 0; index < list_->columnCount(); ++index) {
        headings << ToQString(TerminalText(columns[index].headingKey));
        header->setSectionResizeMode(index, columns[index].width == 0 ? QHeaderView::Stretch
                                                                      : QHeaderView::Fixed);
        if (columns[index].width != 0) {
            header->resizeSection(index, Scaled(columns[index].width, rowScale));
        }
    }
    list_->setHorizontalHeaderLabels(headings);
    fill(found);
    connect(list_, &QTableWidget::cellClicked, this, [this](int row, int) { pick(row); });
    layout->addWidget(list_);

    auto* back = new TBlendedButton(this);
    back->setObjectName(QStringLiteral("foundBack"));
    back->SetCaption(TerminalText("TECLA_VOLTAR"));
    back->setFixedSize(Scaled(backKey.width(), scale), Scaled(backKey.height(), scale));
    back->SetFontName(QStringLiteral("Arial"));
    back->SetFontHeight(Scaled(backFontPixels, scale));
    back->SetFontBold(true);
    back->SetBrushColor(Scheme().Key);
    back->SetFontColor(Scheme().KeyText);
    back->OnClick = [this](QObject*) { reject(); };
    layout->addWidget(back, 0, Qt::AlignHCenter);
}

void FoundDialog::fill(const std::vector<FoundReservation>& found) {
    list_->setRowCount(int(found.size()));
    for (int row = 0; row < list_->rowCount(); ++row) {
        const FoundReservation& shown = found[std::size_t(row)];
        const DayRow dayRow = DayRowOf(shown.Reservation);
        for (int index = 0; index < list_->columnCount(); ++index) {
            auto* item = new QTableWidgetItem(ToQString(columns[index].text(shown, dayRow)));
            item->setTextAlignment(columns[index].width == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                             : Qt::AlignCenter);
            QFont font = list_->font();
            font.setStrikeOut(dayRow.Cancelled);
            font.setBold(index == nameColumn && shown.Guest.Visits > 0);
            item->setFont(font);
            list_->setItem(row, index, item);
        }
    }
}

void FoundDialog::pick(int row) {
    picked_ = std::size_t(row);
    accept();
}

// The selected row, or -1.
int FoundDialog::current() const {
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.constFirst().row();
}

void FoundDialog::confirm() {
    if (current() >= 0) {
        pick(current());
    }
}

void FoundDialog::otherKey(QKeyEvent* event) {
    if ((event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) || list_->rowCount() == 0) {
        QDialog::keyPressEvent(event);
        return;
    }
    const int step = event->key() == Qt::Key_Up ? -1 : 1;
    const int row = current() < 0 ? (step > 0 ? 0 : list_->rowCount() - 1)
                                  : std::clamp(current() + step, 0, list_->rowCount() - 1);
    list_->selectRow(row);
    list_->scrollToItem(list_->item(row, 0));
}

} // namespace

AnsiString GuestRecordText(const AnsiString& telephone, const Reservas::GuestRecord& record) {
    if (telephone.empty()) {
        return {};
    }
    AnsiString text;
    if (record.Visits == 0) {
        text = TerminalText("CLIENTE_SEM_VISITAS");
    } else {
        const QString last = shownDate(record.LastVisit);
        text = record.Visits == 1
                   ? TerminalText("CLIENTE_VISITA", last)
                   : TerminalText("CLIENTE_VISITAS", QString::number(record.Visits), last);
    }
    if (record.NoShows == 1) {
        text += TerminalText("CLIENTE_FALTA");
    } else if (record.NoShows > 1) {
        text += TerminalText("CLIENTE_FALTAS", QString::number(record.NoShows));
    }
    return text;
}

std::optional<std::size_t> PickFoundReservation(const std::vector<FoundReservation>& found,
                                                const AnsiString& title,
                                                const AnsiString& schemeId) {
    // Qt centres it over the window beneath, or on the screen.
    FoundDialog dialog(found, title, schemeId, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Picked();
}
