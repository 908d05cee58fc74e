#include "daylist/daywindow.h"

#include "daylist/reservationlist.h"
#include "hostlib/blendedbutton.h"
#include "hostlib/parameters.h"
#include "terminaltexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QScreen>

namespace {

// The terminal's screen; full screen, the same panel stands in the middle.
constexpr QSize panelSize(1024, 768);
constexpr QRect headingPlace(104, 12, 530, 56);
constexpr QRect statusPlace(104, 68, 530, 28);
constexpr QRect listPlace(16, 130, 992, 426);
constexpr QRect selectionPlace(16, 560, 992, 26);
constexpr QRect coversPlace(16, 100, 992, 26);
constexpr int keyFontPixels = 24;
constexpr int rowKeyFontPixels = 22;
constexpr int selectionFontPixels = 17;
constexpr int arrowFontPixels = 40;
constexpr int headingFontPixels = 30;

} // namespace

TDayWindow::TDayWindow(EntryFunction entry, Journal& journal, QWidget* parent)
    : Forms::TForm(parent), entry_(std::move(entry)), journal_(journal), schemeId_(DisplayScheme()),
      scheme_(SchemeFor(schemeId_)) {
    setObjectName(QStringLiteral("dayWindow"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(ToQString(TerminalText("TITULO")));
    setFixedSize(panelSize);
    SetCenteredOnScreen(true);
    buildScreen();
    OnKeyDown = [this](QObject*, Forms::WORD& key, Forms::TShiftState) {
        runMarkingFailures([this, &key] { formKeyDown(key); });
    };
    startWatching();
    Forms::HandleEvent([this] { showToday(); });
}

void TDayWindow::UseFullScreen() {
    SetCenteredOnScreen(false);
    setMinimumSize(panelSize);
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
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("dayPanel"));
    panel->setFixedSize(panelSize);
    auto* centring = new QGridLayout(this);
    centring->setContentsMargins(0, 0, 0, 0);
    centring->addWidget(panel, 0, 0, Qt::AlignCenter);

    heading_ = new QLabel(panel);
    heading_->setObjectName(QStringLiteral("dayHeading"));
    heading_->setGeometry(headingPlace);
    heading_->setAlignment(Qt::AlignCenter);
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPixelSize(headingFontPixels);
    headingFont.setBold(true);
    heading_->setFont(headingFont);
    QPalette headingColours = heading_->palette();
    headingColours.setColor(QPalette::WindowText, Graphics::ToQColor(scheme_.Text));
    heading_->setPalette(headingColours);
    buildStatusLine(panel, statusPlace);

    list_ = new ReservationList(scheme_, panel);
    list_->setGeometry(listPlace);
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        updateKeys();
        showSelection();
        followSelection();
    });
    buildViews(panel, coversPlace, listPlace);

    selection_ = new QLabel(panel);
    selection_->setObjectName(QStringLiteral("daySelection"));
    selection_->setGeometry(selectionPlace);
    QFont selectionFont(QStringLiteral("Arial"));
    selectionFont.setPixelSize(selectionFontPixels);
    selection_->setFont(selectionFont);
    selection_->setPalette(heading_->palette());

    struct Key {
        const char* name;
        const char* captionKey;
        QRect place;
        void (TDayWindow::*action)();
        int fontPixels;
        TBlendedButton** kept; // the keys the window changes later
    };
    const Key keys[] = {
        {"previousDay",
         "TECLA_ANTERIOR",
         {16, 16, 80, 80},
         &TDayWindow::previousDay,
         arrowFontPixels,
         nullptr},
        {"nextDay",
         "TECLA_PROXIMO",
         {642, 16, 80, 80},
         &TDayWindow::nextDay,
         arrowFontPixels,
         nullptr},
        {"today", "TECLA_HOJE", {730, 16, 120, 80}, &TDayWindow::showToday, keyFontPixels, nullptr},
        {"calendar",
         "TECLA_CALENDARIO",
         {858, 16, 150, 80},
         &TDayWindow::pickDay,
         keyFontPixels,
         nullptr},
        {"findReservation",
         "TECLA_BUSCAR",
         {514, 590, 158, 66},
         &TDayWindow::findReservation,
         rowKeyFontPixels,
         nullptr},
        {"newReservation",
         "TECLA_NOVA",
         {16, 664, 240, 88},
         &TDayWindow::newReservation,
         keyFontPixels,
         nullptr},
        {"editReservation",
         "TECLA_ALTERAR",
         {264, 664, 240, 88},
         &TDayWindow::editSelected,
         keyFontPixels,
         &editKey_},
        {"cancelReservation",
         "TECLA_CANCELAR",
         {512, 664, 240, 88},
         &TDayWindow::cancelSelected,
         keyFontPixels,
         &cancelKey_},
        {"viewToggle",
         "TECLA_MESAS",
         {680, 590, 158, 66},
         &TDayWindow::toggleView,
         rowKeyFontPixels,
         &viewKey_},
        {"print",
         "TECLA_IMPRIMIR",
         {846, 590, 162, 66},
         &TDayWindow::printDay,
         rowKeyFontPixels,
         nullptr},
        {"exit", "TECLA_SAIR", {768, 664, 240, 88}, &TDayWindow::leave, keyFontPixels, nullptr},
        {"arrived",
         "TECLA_CHEGOU",
         {16, 590, 158, 66},
         &TDayWindow::arrivedOrUndo,
         rowKeyFontPixels,
         &arrivedKey_},
        {"noShow",
         "TECLA_NAO_VEIO",
         {182, 590, 158, 66},
         &TDayWindow::noShowOrUndo,
         rowKeyFontPixels,
         &noShowKey_},
        {"history",
         "TECLA_HISTORICO",
         {348, 590, 158, 66},
         &TDayWindow::showHistory,
         rowKeyFontPixels,
         &historyKey_},
    };
    for (const Key& key : keys) {
        TBlendedButton* added = addKey(panel, key.name, key.captionKey, key.place, key.action);
        added->SetFontHeight(key.fontPixels);
        if (key.kept != nullptr) {
            *key.kept = added;
        }
    }
}

TBlendedButton* TDayWindow::addKey(QWidget* panel, const char* name, const char* captionKey,
                                   const QRect& place, void (TDayWindow::*action)()) {
    auto* key = new TBlendedButton(panel);
    key->setObjectName(QString::fromLatin1(name));
    key->setGeometry(place);
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

void TDayWindow::paintEvent(QPaintEvent*) {
    PaintFramedPanel(*this, Graphics::ToQColor(scheme_.Panel), Graphics::ToQColor(scheme_.Frame));
}
