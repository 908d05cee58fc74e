#include "serverwatch.h"

#include "databaseconnection.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QTimer>
#include <atomic>
#include <chrono>

namespace Reservas {

namespace {

// The channel the database's triggers write to.
const QString channel = QStringLiteral("reservas_alteradas");
// How often the connection is checked, or tried again once lost.
constexpr std::chrono::seconds checkEvery{2};
// Shorter than the operator's connections: the watch is in no hurry, but the program waits for
// it when it ends.
constexpr std::chrono::seconds giveUpAfter{2};

QString nextListenerName() {
    static std::atomic<int> made = 0;
    return QStringLiteral("reservas-vigia-servidor-%1").arg(++made);
}

// The watch's connection, made, used and removed on the watch's thread.
class Listener {
public:
    Listener(ServerWatch& watch, const DatabaseLocation& location)
        : watch_(watch), location_(location), name_(nextListenerName()) {
        timer_.setInterval(checkEvery);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { check(); });
        timer_.start();
        check();
    }
    ~Listener() { drop(); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

private:
    void check() {
        if (listening_ ? answers() : listen()) {
            if (!listening_) {
                listening_ = true;
                emit watch_.Reached();
            }
            return;
        }
        drop();
        emit watch_.Lost();
    }

    bool listen() {
        QSqlDatabase database = AddServerConnection(location_, name_, giveUpAfter);
        added_ = true;
        if (!database.open() || !database.driver()->subscribeToNotification(channel)) {
            return false;
        }
        QObject::connect(database.driver(), &QSqlDriver::notification, &timer_,
                         [this] { emit watch_.Changed(); });
        return true;
    }

    // A statement on the connection itself: a server restarted or a network cut shows here.
    bool answers() const {
        QSqlQuery alive(QSqlDatabase::database(name_, false));
        return alive.exec(QStringLiteral("SELECT 1"));
    }

    void drop() {
        listening_ = false;
        if (!added_) {
            return;
        }
        added_ = false;
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }

    ServerWatch& watch_;
    DatabaseLocation location_;
    QString name_;
    QTimer timer_;
    bool added_ = false;
    bool listening_ = false;
};

} // namespace

ServerWatch::ServerWatch(DatabaseLocation location) : location_(std::move(location)) {}

ServerWatch::~ServerWatch() {
    quit();
    wait();
}

void ServerWatch::run() {
    const Listener listener(*this, location_);
    exec();
}

} // namespace Reservas
