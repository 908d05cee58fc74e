#include "reservas/changewatcher.h"

#include "filewatch.h"
#include "reservas/store.h"
#include "serverwatch.h"

#include <QTimer>
#include <chrono>

namespace Reservas {

namespace {

// One write sends several words (the reservation, each table it holds): they make one Changed.
constexpr std::chrono::milliseconds gatherWords{30};

} // namespace

ChangeWatcher::ChangeWatcher(QObject* parent) : QObject(parent), gather_(new QTimer(this)) {
    gather_->setSingleShot(true);
    gather_->setInterval(gatherWords);
    connect(gather_, &QTimer::timeout, this, &ChangeWatcher::Changed);
    const DatabaseLocation location = ParseDatabaseLocation(DatabaseLocationText());
    if (location.Engine == DatabaseEngine::SQLite) {
        follow(new FileWatch(location.File));
    } else {
        auto* server = new ServerWatch(location);
        follow(server);
        server->start();
    }
}

ChangeWatcher::~ChangeWatcher() {
    // Stopped first, so that nothing it still says reaches a watcher half gone.
    source_.reset();
}

template <typename Source> void ChangeWatcher::follow(Source* source) {
    source_.reset(source);
    connect(source, &Source::Changed, this, [this] { gather_->start(); });
    connect(source, &Source::Reached, this, &ChangeWatcher::reached);
    connect(source, &Source::Lost, this, &ChangeWatcher::lost);
}

void ChangeWatcher::reached() {
    const Contact before = contact_;
    contact_ = Contact::Answering;
    if (before == Contact::Lost) {
        emit ConnectionBack();
    } else if (before == Contact::NotYet) {
        gather_->start();
    }
}

void ChangeWatcher::lost() {
    if (contact_ != Contact::Lost) {
        contact_ = Contact::Lost;
        emit ConnectionLost();
    }
}

} // namespace Reservas
