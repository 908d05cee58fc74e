#pragma once

#include "reservas/store.h"

#include <QThread>

namespace Reservas {

// Listens for the word the server sends on every write of reservations or tables, on a
// connection of its own that lives in this thread: reaching a server that went away takes
// seconds, which the screen must not wait for, and the word arrives through the event loop of
// the thread that owns the connection. Every few seconds it makes sure the connection still
// answers; once lost, it connects and listens again.
class ServerWatch : public QThread {
    Q_OBJECT

public:
    explicit ServerWatch(DatabaseLocation location);
    // Waits for the thread, at most as long as one attempt to reach the server.
    ~ServerWatch() override;
    ServerWatch(const ServerWatch&) = delete;
    ServerWatch& operator=(const ServerWatch&) = delete;

signals:
    void Changed();
    // Listening, for the first time or after Lost.
    void Reached();
    // The server cannot be reached, or the connection broke.
    void Lost();

protected:
    void run() override;

private:
    DatabaseLocation location_;
};

} // namespace Reservas
