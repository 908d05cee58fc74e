#include "daylist/daywindow.h"

#include "daylist/daylayout.h"
#include "daylist/reservationlist.h"
#include "daylist/timelineview.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/parameters.h"
#include "hostlib/touchscale.h"
#include "terminaltexts.h"

#include <QLabel>
#include <QScreen>

namespace {

// The window as drawn for 1024x768; full screen it takes the screen's size instead.
constexpr QSize designSize(1024, 768);
constexpr int keyFontPixels = 24;
constexpr int rowKeyFontPixels = 22;
constexpr int arrowFontPixels = 40;
constexpr int headingFontPixels = 30;
constexpr int statusFontPixels = 18;
constexpr int coversFontPixels = 18;
constexpr int selectionFontPixels = 17;

void setPixelFont(QWidget* widget, int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

} // namespace

TDayWindow::TDayWindow(EntryFunction entry, Journal& journal, QWidget* parent)
    : Forms::TForm(parent), entry_(std::move(entry)), journal_(journal), schemeId_(DisplayScheme()),
      scheme_(SchemeFor(schemeId_)) {
    setObjectName(QStringLiteral("dayWindow"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(ToQString(TerminalText("TITULO")));
    setFixedSize(designSize);
    SetCenteredOnScreen(true);
    buildScreen();
    layOut();
    OnKeyDown = [this](QObject*, Forms::WORD& key, Forms::TShiftState) {
        runMarkingFailures([this, &key] { formKeyDown(key); });
    };
    startWatching();
    Forms::HandleEvent([this] { showToday(); });
}

void TDayWindow::UseFullScreen() {
    SetCenteredOnScreen(false);
    setMinimumSize(designSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Without a window manager nobody acts on the full-screen state: the window covers the
    // screen by itself.
    if (const QScreen* shownOn = screen()) {
        setGeometry(shownOn->geometry());
    }
    setWindowState(windowState() | Qt::WindowFullScreen);
    askBeforeLeaving_ = true;
}

void TDayWindow::HideExit() {
    exitHidden_ = true;
    findChild<TBlendedButton*>(QStringLiteral("exit"))->hide();
}

void TDayWindow::buildScreen() {
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("dayHeading"));
    heading_->setAlignment(Qt::AlignCenter);
    QPalette headingColours = heading_->palette();
    headingColours.setColor(QPalette::WindowText, Graphics::ToQColor(scheme_.Text));
    heading_->setPalette(headingColours);
    buildStatusLine(this);

    list_ = new ReservationList(scheme_, this);
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        updateKeys();
        showSelection();
        followSelection();
    });
    buildViews(this);

    selection_ = new QLabel(this);
    selection_->setObjectName(QStringLiteral("daySelection"));
    selection_->setPalette(heading_->palette());

    struct Key {
        const char* name;
        const char* captionKey;
        void (TDayWindow::*action)();
        int fontPixels;
        TBlendedButton** kept; // the keys the window changes later
    };
    const Key keys[] = {
        {"previousDay", "TECLA_ANTERIOR", &TDayWindow::previousDay, arrowFontPixels, nullptr},
        {"nextDay", "TECLA_PROXIMO", &TDayWindow::nextDay, arrowFontPixels, nullptr},
        {"today", "TECLA_HOJE", &TDayWindow::showToday, keyFontPixels, nullptr},
        {"calendar", "TECLA_CALENDARIO", &TDayWindow::pickDay, keyFontPixels, nullptr},
        {"findReservation", "TECLA_BUSCAR", &TDayWindow::findReservation, rowKeyFontPixels,
         nullptr},
        {"newReservation", "TECLA_NOVA", &TDayWindow::newReservation, keyFontPixels, nullptr},
        {"editReservation", "TECLA_ALTERAR", &TDayWindow::editSelected, keyFontPixels, &editKey_},
        {"cancelReservation", "TECLA_CANCELAR", &TDayWindow::cancelSelected, keyFontPixels,
         &cancelKey_},
        {"viewToggle", "TECLA_MESAS", &TDayWindow::toggleView, rowKeyFontPixels, &viewKey_},
        {"print", "TECLA_IMPRIMIR", &TDayWindow::printDay, rowKeyFontPixels, nullptr},
        {"exit", "TECLA_SAIR", &TDayWindow::leave, keyFontPixels, nullptr},
        {"arrived", "TECLA_CHEGOU", &TDayWindow::arrivedOrUndo, rowKeyFontPixels, &arrivedKey_},
        {"noShow", "TECLA_NAO_VEIO", &TDayWindow::noShowOrUndo, rowKeyFontPixels, &noShowKey_},
        {"history", "TECLA_HISTORICO", &TDayWindow::showHistory, rowKeyFontPixels, &historyKey_},
    };
    for (const Key& key : keys) {
        TBlendedButton* added = addKey(key.name, key.captionKey, key.action);
        keys_.emplace_back(added, key.fontPixels);
        if (key.kept != nullptr) {
            *key.kept = added;
        }
    }
}

TBlendedButton* TDayWindow::addKey(const char* name, const char* captionKey,
                                   void (TDayWindow::*action)()) {
    auto* key = new TBlendedButton(this);
    key->setObjectName(QString::fromLatin1(name));
    key->SetCaption(TerminalText(captionKey));
    key->SetFontName(QStringLiteral("Arial"));
    key->SetFontBold(true);
    key->SetBrushColor(scheme_.Key);
    key->SetFontColor(scheme_.KeyText);
    key->OnClick = [this, action](QObject*) {
        runMarkingFailures([this, action] { (this->*action)(); });
    };
    return key;
}

// Everything is placed again whenever the window changes size: shown full screen, or resized by
// a window manager.
void TDayWindow::resizeEvent(QResizeEvent* event) {
    Forms::TForm::resizeEvent(event);
    layOut();
}

void TDayWindow::layOut() {
    const DayLayout layout = LayOutDay(size());
    const double scale = layout.Scale;
    heading_->setGeometry(layout.Heading);
    setPixelFont(heading_, Scaled(headingFontPixels, scale), true);
    status_->setGeometry(layout.Status);
    setPixelFont(status_, Scaled(statusFontPixels, scale));
    covers_->setGeometry(layout.Covers);
    setPixelFont(covers_, Scaled(coversFontPixels, scale));
    list_->setGeometry(layout.List);
    list_->FitRows(layout.RowScale);
    timeline_->setGeometry(layout.List);
    timeline_->FitRows(layout.RowScale);
    selection_->setGeometry(layout.Selection);
    setPixelFont(selection_, Scaled(selectionFontPixels, scale));
    // Beside the keys the line has room to wrap; beneath the list it is a single line.
    selection_->setWordWrap(layout.KeysAtSide);
    selection_->setAlignment(layout.KeysAtSide ? Qt::AlignLeft | Qt::AlignTop
                                               : Qt::AlignLeft | Qt::AlignVCenter);
    for (const auto& [key, fontPixels] : keys_) {
        key->setGeometry(layout.Keys.at(key->objectName()));
        key->SetFontHeight(Scaled(fontPixels, scale));
    }
}

void TDayWindow::paintEvent(QPaintEvent*) {
    PaintFramedPanel(*this, Graphics::ToQColor(scheme_.Panel), Graphics::ToQColor(scheme_.Frame));
}
