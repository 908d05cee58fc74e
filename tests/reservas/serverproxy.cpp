#include "serverproxy.h"

#include "reservas/store.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <utility>
#include <vector>

class ProxyRelay : public QObject {
public:
    ProxyRelay(QString host, quint16 serverPort, std::chrono::milliseconds delay)
        : host_(std::move(host)), port_(serverPort), delay_(delay) {}

    // On the relay's thread.
    void Listen() {
        server_ = new QTcpServer(this);
        server_->listen(QHostAddress::LocalHost);
        port = server_->serverPort();
        connect(server_, &QTcpServer::newConnection, this, &ProxyRelay::accept);
    }
    void Pass() {
        const std::vector<std::shared_ptr<Pair>> pairs = pairs_;
        for (const std::shared_ptr<Pair>& pair : pairs) {
            passFromClient(pair);
            passFromServer(pair);
        }
    }

    std::atomic<quint16> port = 0;
    std::atomic<bool> silent = false;
    // Set before loseAnswer, read after it.
    QByteArray loseAnswerTo;
    std::atomic<bool> loseAnswer = false;
    std::atomic<bool> answerLost = false;

private:
    struct Pair {
        QTcpSocket* client = nullptr;
        QTcpSocket* server = nullptr;
        bool cutOnAnswer = false;
    };

    void accept() {
        while (QTcpSocket* client = server_->nextPendingConnection()) {
            auto pair = std::make_shared<Pair>();
            pair->client = client;
            pair->server = new QTcpSocket(this);
            pair->server->connectToHost(host_, port_);
            pairs_.push_back(pair);
            connect(client, &QTcpSocket::readyRead, this, [this, pair] { passFromClient(pair); });
            connect(pair->server, &QTcpSocket::readyRead, this,
                    [this, pair] { passFromServer(pair); });
            // What a dropped connection still held is never passed on.
            connect(client, &QTcpSocket::disconnected, this, [this, pair] { drop(pair); });
            connect(pair->server, &QTcpSocket::disconnected, this, [this, pair] { drop(pair); });
        }
    }

    void passFromClient(const std::shared_ptr<Pair>& pair) {
        if (silent || pair->client == nullptr) {
            return;
        }
        const QByteArray bytes = pair->client->readAll();
        if (loseAnswer && bytes.contains(loseAnswerTo)) {
            loseAnswer = false;
            pair->cutOnAnswer = true;
        }
        send(pair, &Pair::server, bytes);
    }

    void passFromServer(const std::shared_ptr<Pair>& pair) {
        if (silent || pair->client == nullptr) {
            return;
        }
        const QByteArray bytes = pair->server->readAll();
        if (pair->cutOnAnswer && !bytes.isEmpty()) {
            answerLost = true;
            drop(pair);
            return;
        }
        send(pair, &Pair::client, bytes);
    }

    // Written after the delay; timers of one length fire in the order they were set, so the
    // bytes keep theirs. A connection dropped meanwhile gets nothing.
    void send(const std::shared_ptr<Pair>& pair, QTcpSocket* Pair::*to, const QByteArray& bytes) {
        if (delay_.count() == 0) {
            (pair.get()->*to)->write(bytes);
            return;
        }
        QTimer::singleShot(delay_, Qt::PreciseTimer, this, [pair, to, bytes] {
            if (QTcpSocket* socket = pair.get()->*to) {
                socket->write(bytes);
            }
        });
    }

    void drop(const std::shared_ptr<Pair>& pair) {
        QTcpSocket* client = std::exchange(pair->client, nullptr);
        QTcpSocket* server = std::exchange(pair->server, nullptr);
        if (client == nullptr) {
            return;
        }
        std::erase(pairs_, pair);
        client->abort();
        server->abort();
        client->deleteLater();
        server->deleteLater();
    }

    QString host_;
    quint16 port_;
    std::chrono::milliseconds delay_;
    QTcpServer* server_ = nullptr;
    std::vector<std::shared_ptr<Pair>> pairs_;
};

ServerProxy::ServerProxy(const QString& location, std::chrono::milliseconds delay) {
    const Reservas::DatabaseLocation server = Reservas::ParseDatabaseLocation(location);
    relay_ = new ProxyRelay(server.Host, quint16(server.Port), delay);
    relay_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, relay_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(
        relay_, [this] { relay_->Listen(); }, Qt::BlockingQueuedConnection);
    QUrl url(location);
    url.setPort(relay_->port);
    location_ = url.toString();
}

ServerProxy::~ServerProxy() {
    thread_.quit();
    thread_.wait();
}

void ServerProxy::SetSilent(bool silent) {
    relay_->silent = silent;
    if (!silent) {
        QMetaObject::invokeMethod(relay_, [this] { relay_->Pass(); });
    }
}

void ServerProxy::LoseNextAnswerTo(const QByteArray& fragment) {
    relay_->loseAnswerTo = fragment;
    relay_->loseAnswer = true;
}

bool ServerProxy::AnswerLost() const {
    return relay_->answerLost;
}
