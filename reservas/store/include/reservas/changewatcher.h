#pragma once

// Tells a screen that stays open when the reservations it shows may have changed, whoever
// changed them, and when the database cannot be reached. Beside store.h rather than in it: only
// the screens that stay open need Qt's objects and signals.

#include "reservas/store_export.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QTimer;

namespace Reservas {

// Watches the database set when it is made (DatabaseLocationText()). On a server it listens,
// on a connection of its own in a thread of its own, for the word the database sends on every
// write, so that trying to reach a lost server never holds up the screen; on a SQLite file it
// asks the file about twice a second whether anyone wrote to it. Signals arrive on the thread
// that made the watcher.
class RESERVAS_STORE_EXPORT ChangeWatcher : public QObject {
    Q_OBJECT

public:
    explicit ChangeWatcher(QObject* parent = nullptr);
    ~ChangeWatcher() override;
    ChangeWatcher(const ChangeWatcher&) = delete;
    ChangeWatcher& operator=(const ChangeWatcher&) = delete;

    // True once the database answered, until ConnectionLost.
    bool InContact() const { return contact_ == Contact::Answering; }

signals:
    // Reservations or tables may have changed since the screen read them: read them again. Also
    // sent once the watch first reaches the database, for what changed before it was watching.
    void Changed();
    // The database stopped answering; the watcher keeps trying in the background.
    void ConnectionLost();
    // It answers again. What changed meanwhile was not told: read everything again.
    void ConnectionBack();

private:
    enum class Contact { NotYet, Answering, Lost };

    template <typename Source> void follow(Source* source);
    void reached();
    void lost();

    Contact contact_ = Contact::NotYet;
    QTimer* gather_ = nullptr;
    std::unique_ptr<QObject> source_;
};

// Runs work on the program's database thread, behind whatever waits there, without holding up
// the screen: for readings nobody asked for, which must never swallow the operator's taps.
RESERVAS_STORE_EXPORT void RunInBackground(std::function<void()> work);

// A screen's background readings, one at a time, and one more when the database changed again
// while one ran.
class ReadingsInTurn {
public:
    // True when a reading may start now; otherwise one more is due once this one is done.
    bool Start() {
        if (reading_) {
            again_ = true;
            return false;
        }
        reading_ = true;
        return true;
    }
    // The reading ended: true when the next one is due now.
    bool Done() {
        reading_ = false;
        return std::exchange(again_, false);
    }

private:
    bool reading_ = false;
    bool again_ = false;
};

// Reads in the background (read calls the store, as the screen would), then on the screen's
// thread calls answered with what it read, or failed when it raised; neither once context is
// gone.
template <typename Result>
void ReadInBackground(QObject* context, std::function<Result()> read,
                      std::function<void(const Result&)> answered, std::function<void()> failed) {
    RunInBackground([alive = QPointer<QObject>(context), read = std::move(read),
                     answered = std::move(answered), failed = std::move(failed)] {
        std::optional<Result> result;
        try {
            result = read();
        } catch (...) {
            result.reset();
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [alive, result = std::move(result), answered, failed] {
                if (!alive) {
                    return;
                }
                if (result) {
                    answered(*result);
                } else {
                    failed();
                }
            },
            Qt::QueuedConnection);
    });
}

} // namespace Reservas
