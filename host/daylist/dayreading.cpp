#include "daylist/daydisplay.h"
#include "daylist/daywindow.h"
#include "daylist/reservationlist.h"
#include "framework/datetime.h"
#include "framework/sysutils.h"
#include "reservas/changewatcher.h"
#include "reservas/store.h"
#include "terminaltexts.h"

#include <QLabel>
#include <QTimer>
#include <chrono>

// The window shows a day's heading only over that day's list as the database gave it, and says
// under the heading when the list last matched the database, or since when the database has
// not answered. Another terminal's writes reach the list through the store's watcher.

namespace {

// A read that failed while the database still answers the watcher (another terminal held it a
// moment too long) is tried again after this; one that failed because the database is gone
// waits for the watcher to find it again, so the screen never waits for a lost server.
constexpr std::chrono::seconds retryAfter{2};

QString clockTime() {
    return Sysutils::DecodeDateTime(Sysutils::Now()).time().toString(QStringLiteral("HH:mm"));
}

} // namespace

void TDayWindow::buildStatusLine(QWidget* panel) {
    status_ = new QLabel(panel);
    status_->setObjectName(QStringLiteral("dayStatus"));
    status_->setAlignment(Qt::AlignCenter);
    status_->setPalette(heading_->palette());
}

void TDayWindow::startWatching() {
    onServer_ = Reservas::ParseDatabaseLocation(Reservas::DatabaseLocationText()).Engine ==
                Reservas::DatabaseEngine::PostgreSQL;
    retry_ = new QTimer(this);
    retry_->setSingleShot(true);
    retry_->setInterval(retryAfter);
    connect(retry_, &QTimer::timeout, this, [this] {
        if (watcher_->InContact()) {
            refreshQuietly();
        }
    });
    watcher_ = new Reservas::ChangeWatcher(this);
    connect(watcher_, &Reservas::ChangeWatcher::Changed, this, &TDayWindow::refreshQuietly);
    connect(watcher_, &Reservas::ChangeWatcher::ConnectionBack, this, &TDayWindow::refreshQuietly);
    connect(watcher_, &Reservas::ChangeWatcher::ConnectionLost, this, &TDayWindow::markOutOfTouch);
}

// Raises, leaving the screen as it was but for the status line, when the day cannot be read.
DayContents TDayWindow::readDay(const QDate& day) {
    ++dayReads_;
    DayContents contents;
    try {
        contents = ReadDayContents(day);
    } catch (...) {
        markOutOfTouch();
        throw;
    }
    markUpdated();
    return contents;
}

void TDayWindow::showDay(const QDate& day) {
    const DayContents contents = readDay(day);
    day_ = day;
    heading_->setText(DayHeading(day_));
    list_->clearSelection();
    showContents(contents);
}

void TDayWindow::refresh() {
    showContents(readDay(day_));
}

// Nobody asked for this reading: it runs in the background, so that it never holds up a tap,
// one at a time, and a failure shows in the status line alone, never as a dialog over the
// operator's work. What a key read meanwhile, or another day, is not overwritten.
void TDayWindow::refreshQuietly() {
    if (!day_.isValid()) {
        try {
            showToday();
        } catch (const std::exception&) {
            // Said in the status line already.
        }
        return;
    }
    if (!quietReadings_.Start()) {
        return;
    }
    const QDate day = day_;
    const int asked = ++dayReads_;
    Reservas::ReadInBackground<DayContents>(
        this, [day] { return ReadDayContents(day); },
        [this, day, asked](const DayContents& read) {
            if (asked == dayReads_ && day == day_) {
                showContents(read);
                markUpdated();
            }
            quietReadingDone();
        },
        [this, asked] {
            if (asked == dayReads_) {
                markOutOfTouch();
            }
            quietReadingDone();
        });
}

void TDayWindow::quietReadingDone() {
    if (quietReadings_.Done()) {
        refreshQuietly();
    }
}

// A key whose work failed in the database leaves the list as the database last gave it; the
// status line then says it no longer vouches for it. The silent abort is no failure.
void TDayWindow::runMarkingFailures(const std::function<void()>& action) {
    try {
        action();
    } catch (const Sysutils::EAbort&) {
        throw;
    } catch (...) {
        markOutOfTouch();
        throw;
    }
}

void TDayWindow::showStatus(const AnsiString& text, bool alarming) {
    status_->setText(ToQString(text));
    QFont font = status_->font();
    font.setBold(alarming);
    status_->setFont(font);
}

void TDayWindow::markUpdated() {
    outOfTouchSince_.clear();
    retry_->stop();
    showStatus(TerminalText("ATUALIZADO", clockTime()), false);
}

void TDayWindow::markOutOfTouch() {
    if (outOfTouchSince_.isEmpty()) {
        outOfTouchSince_ = clockTime();
    }
    retry_->start();
    showStatus(TerminalText(onServer_ ? "SEM_SERVIDOR" : "SEM_BANCO", outOfTouchSince_), true);
}
