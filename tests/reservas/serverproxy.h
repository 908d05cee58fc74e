#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>
#include <QtGlobal>
#include <atomic>
#include <chrono>

class ProxyRelay;

// Stands between the store and the test server on a port of its own, passing every byte on, on
// a thread of its own, each chunk held for a one-way delay when one is given (the server as if
// far away, for the benchmarks). It can fall silent with its connections still up, like a server
// stopped mid-session or a network gone black, and it can pass a statement on and then cut the
// connection before the server's answer gets back.
class ServerProxy {
public:
    // location is the server's URL; Location() is the same through the proxy.
    explicit ServerProxy(const QString& location,
                         std::chrono::milliseconds delay = std::chrono::milliseconds(0));
    ~ServerProxy();
    ServerProxy(const ServerProxy&) = delete;
    ServerProxy& operator=(const ServerProxy&) = delete;

    QString Location() const { return location_; }

    // Silent: nothing passes either way, new connections are taken and never answered.
    void SetSilent(bool silent);
    // The answer to the next message from the store that holds fragment is kept from it.
    void LoseNextAnswerTo(const QByteArray& fragment);
    // The server answered that message, and the proxy kept the answer from the store.
    bool AnswerLost() const;

private:
    QThread thread_;
    ProxyRelay* relay_ = nullptr;
    QString location_;
};
