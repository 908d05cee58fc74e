#pragma once

#include "commandline.h"
#include "daylist/daycontents.h"
#include "framework/ansistring.h"
#include "framework/forms.h"
#include "hostlib/messagescheme.h"
#include "reservas/changewatcher.h"
#include "reservas/store.h"

#include <QDate>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

class Journal;
class QLabel;
class QTimer;
class ReservationList;
class TBlendedButton;
class TimelineView;

namespace Dbclient {
class TClientDataSet;
}

// The screen a restaurant keeps open all day: the reservations of one day, keys to go through
// the days, and keys to enter, edit and cancel reservations. It shows in the display scheme of
// the parameters file, fixed at 1024x768 and centred unless shown full screen, when it lays
// itself out anew for the screen's size.
class TDayWindow : public Forms::TForm {
    Q_OBJECT

public:
    // The entry module's entry function: tipo NewReservation or EditReservation, and the
    // reservation to show.
    using EntryFunction = std::function<void(int tipo, Dbclient::TClientDataSet* reserva)>;

    // Opens on today's reservations. Cancellations are written to journal.
    TDayWindow(EntryFunction entry, Journal& journal, QWidget* parent = nullptr);

    // Fills the screen whatever its size, the contents centred, instead of the fixed window.
    // The terminal is then the restaurant's only window: Sair and Esc ask before it ends.
    void UseFullScreen();
    // A kiosk that only its administrator ends: no Sair, and Esc does nothing.
    void HideExit();

    QDate ShownDay() const { return day_; }

    // The hour (0-23) from which a reservation counts as dinner in the covers line.
    void SetDinnerFrom(int hour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildScreen();
    TBlendedButton* addKey(const char* name, const char* captionKey, void (TDayWindow::*action)());
    // Places everything and sizes its type for the window's present size (daylayout.h).
    void layOut();

    // The covers line, the timeline beside the list, and printing (dayviews.cpp).
    void buildViews(QWidget* panel);
    void showContents(const DayContents& contents);
    void followSelection();
    void toggleView();
    void printDay();

    // The operator's actions (dayactions.cpp).
    void formKeyDown(Forms::WORD& key);
    void showDay(const QDate& day);
    void refresh();
    void updateKeys();
    void previousDay();
    void nextDay();
    void showToday();
    void pickDay();
    void findReservation(); // dayfind.cpp
    void newReservation();
    void editSelected();
    void cancelSelected();
    void reactivateSelected();
    void openEntry(int tipo, const AnsiString& nrresmesa);
    void enterReservation(int tipo, const AnsiString& nrresmesa);
    void sayGone(const AnsiString& nrresmesa);
    void leave();

    // The host's service: arrivals, no-shows and a reservation's history (serviceactions.cpp).
    void arrivedOrUndo();
    void noShowOrUndo();
    void markSelected(Reservas::ServiceMark mark, const char* journalEvent);
    void showHistory();
    void showSelection();

    // The list and the status line following the database (dayreading.cpp).
    void buildStatusLine(QWidget* panel);
    void startWatching();
    DayContents readDay(const QDate& day);
    void refreshQuietly();
    void quietReadingDone();
    void runMarkingFailures(const std::function<void()>& action);
    void showStatus(const AnsiString& text, bool alarming);
    void markUpdated();
    void markOutOfTouch();

    EntryFunction entry_;
    Journal& journal_;
    AnsiString schemeId_;
    MessageScheme scheme_;
    QDate day_;
    bool entryPending_ = false;
    bool askBeforeLeaving_ = false;
    bool exitHidden_ = false;
    QLabel* heading_ = nullptr;
    ReservationList* list_ = nullptr;
    TBlendedButton* editKey_ = nullptr;
    TBlendedButton* cancelKey_ = nullptr;
    TBlendedButton* arrivedKey_ = nullptr;
    TBlendedButton* noShowKey_ = nullptr;
    TBlendedButton* historyKey_ = nullptr;
    QLabel* selection_ = nullptr;
    std::vector<std::pair<TBlendedButton*, int>> keys_; // each with its type's size at 1024x768
    DayContents contents_;                              // as the list shows it
    int dinnerFrom_ = defaultDinnerFrom;
    QLabel* covers_ = nullptr;
    TimelineView* timeline_ = nullptr;
    TBlendedButton* viewKey_ = nullptr;

    QLabel* status_ = nullptr;
    Reservas::ChangeWatcher* watcher_ = nullptr;
    QTimer* retry_ = nullptr;
    bool onServer_ = false;
    QString outOfTouchSince_; // empty while the list matches the database
    int dayReads_ = 0;        // readings asked, so that an older answer never covers a newer one
    Reservas::ReadingsInTurn quietReadings_;
};
