#include "delayproxy/delayedstream.h"

#include <QProcess>
#include <QTest>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Bench::DelayedStream;
using Bench::ProxyClock;

namespace {

// Two connected pairs of sockets: the stream under test reads from In[1] and writes to Out[0];
// the test writes into In[0] and reads what came out from Out[1].
struct Pipes {
    int In[2] = {-1, -1};
    int Out[2] = {-1, -1};
    Pipes() {
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, In);
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, Out);
    }
    ~Pipes() {
        for (const int socket : {In[0], In[1], Out[0], Out[1]}) {
            ::close(socket);
        }
    }
    Pipes(const Pipes&) = delete;
    Pipes& operator=(const Pipes&) = delete;
    bool Send(const std::string& bytes) const {
        return ::write(In[0], bytes.data(), bytes.size()) == ssize_t(bytes.size());
    }
    // What has come out so far; "<end>" after it when the stream ended.
    QByteArray Received() const {
        QByteArray bytes;
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::recv(Out[1], buffer, sizeof buffer, MSG_DONTWAIT);
            if (got == 0) {
                return bytes + "<end>";
            }
            if (got < 0) {
                return bytes;
            }
            bytes.append(buffer, got);
        }
    }
};

// A socket whose waits end after 10 s, so that a relay that loses bytes fails the test instead
// of holding it.
int waitingAtMost10s(int socket) {
    const timeval limit{10, 0};
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    return socket;
}

// A TCP listener on a free port of 127.0.0.1.
int listenLocally(int& port) {
    const int listener = waitingAtMost10s(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(listener, 4);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
    port = ntohs(address.sin_port);
    return listener;
}

int connectLocally(int port) {
    const int socket = waitingAtMost10s(::socket(AF_INET, SOCK_STREAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(std::uint16_t(port));
    ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    return socket;
}

void sendAll(int socket, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t put = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (put <= 0) {
            return;
        }
        sent += std::size_t(put);
    }
}

// Everything until the other side ends its stream, or `count` bytes when given.
std::string receive(int socket, std::size_t count = std::string::npos) {
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < count) {
        const ssize_t got =
            ::recv(socket, buffer, std::min(sizeof buffer, count - bytes.size()), 0);
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, std::size_t(got));
    }
    return bytes;
}

// Bytes that show a misplaced or lost chunk: every position differs from its neighbours.
std::string numbered(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t index = 0; index < size; ++index) {
        bytes[index] = char((index * 131 + std::size_t(seed) + index / 251) % 256);
    }
    return bytes;
}

} // namespace

class DelayProxyTest : public QObject {
    Q_OBJECT

private slots:
    // Each chunk comes out once its own delay has passed since it was read, in order, and a
    // chunk read later waits its own delay, not the one before's as well.
    void chunksWaitTheirOwnDelay() {
        Pipes pipes;
        DelayedStream stream(pipes.In[1], pipes.Out[0], 100ms);
        const ProxyClock::time_point start = ProxyClock::now();
        QVERIFY(pipes.Send("A"));
        QVERIFY(stream.Read(start));
        QVERIFY(pipes.Send("BC"));
        QVERIFY(stream.Read(start + 30ms));
        QVERIFY(stream.NextDue() == start + 100ms);
        QVERIFY(stream.WriteDue(start + 99ms));
        QCOMPARE(pipes.Received(), QByteArray());
        QVERIFY(stream.WriteDue(start + 100ms));
        QCOMPARE(pipes.Received(), QByteArray("A"));
        QVERIFY(stream.NextDue() == start + 130ms);
        QVERIFY(stream.WriteDue(start + 130ms));
        QCOMPARE(pipes.Received(), QByteArray("BC"));
        QVERIFY(!stream.NextDue());
    }

    // The end of the stream travels like a chunk, after the bytes before it.
    void endFollowsTheBytes() {
        Pipes pipes;
        DelayedStream stream(pipes.In[1], pipes.Out[0], 50ms);
        const ProxyClock::time_point start = ProxyClock::now();
        QVERIFY(pipes.Send("last words"));
        QVERIFY(stream.Read(start));
        ::shutdown(pipes.In[0], SHUT_WR);
        QVERIFY(stream.Read(start + 10ms));
        QVERIFY(!stream.WantsToRead());
        QVERIFY(!stream.Finished());
        QVERIFY(stream.WriteDue(start + 50ms));
        QCOMPARE(pipes.Received(), QByteArray("last words"));
        QVERIFY(stream.WriteDue(start + 60ms));
        QCOMPARE(pipes.Received(), QByteArray("<end>"));
        QVERIFY(stream.Finished());
    }

    // A socket that takes only part of a chunk gets the rest when it has room, before anything
    // else; meanwhile the relay waits for room, not for a time.
    void shortWriteKeepsTheRest() {
        Pipes pipes;
        std::size_t filler = 0;
        while (::send(pipes.Out[0], "f", 1, MSG_DONTWAIT) == 1) {
            ++filler;
        }
        DelayedStream stream(pipes.In[1], pipes.Out[0], 0ms);
        const ProxyClock::time_point start = ProxyClock::now();
        const std::string chunk = numbered(4000, 1);
        QVERIFY(pipes.Send(chunk));
        QVERIFY(stream.Read(start));
        QVERIFY(stream.WriteDue(start));
        QVERIFY(stream.WantsToWrite());
        QVERIFY(!stream.NextDue());
        QByteArray received;
        while (std::size_t(received.size()) < filler + chunk.size()) {
            received += pipes.Received();
            QVERIFY(stream.WriteDue(start));
        }
        QVERIFY(!stream.WantsToWrite());
        QCOMPARE(received, QByteArray(qsizetype(filler), 'f') + QByteArray::fromStdString(chunk));
    }

    // A reader far ahead of its writer stops being read instead of filling memory, and is read
    // again once the queue has been written out.
    void readingPausesWhileMuchWaits() {
        Pipes pipes;
        DelayedStream stream(pipes.In[1], pipes.Out[0], 0ms);
        const ProxyClock::time_point start = ProxyClock::now();
        const std::string chunk = numbered(65536, 2);
        std::size_t queued = 0;
        while (stream.WantsToRead()) {
            QVERIFY2(queued < 64 * 1024 * 1024, "reading never paused");
            QVERIFY(pipes.Send(chunk));
            QVERIFY(stream.Read(start));
            queued += chunk.size();
        }
        qsizetype received = 0;
        while (!stream.WantsToRead()) {
            QVERIFY(stream.WriteDue(start));
            received += pipes.Received().size();
        }
        QVERIFY(received > 0);
    }

    // The program: a request and its answer take at least twice the one-way delay, bytes both
    // ways at once pass intact, and so does each side's end, one way at a time.
    void relaysAServer() {
        int serverPort = 0;
        const int listener = listenLocally(serverPort);
        QProcess relay;
        relay.start(
            QStringLiteral(BENCH_DELAYPROXY),
            {QStringLiteral("127.0.0.1"), QString::number(serverPort), QStringLiteral("40")});
        QVERIFY(relay.waitForReadyRead(10000));
        const QByteArray said = relay.readLine().trimmed();
        QVERIFY2(said.startsWith("port "), said.constData());
        const int client = connectLocally(said.mid(5).toInt());
        const int server = waitingAtMost10s(::accept(listener, nullptr, nullptr));
        QVERIFY(server >= 0);

        const auto asked = ProxyClock::now();
        sendAll(client, "ping");
        QVERIFY(receive(server, 4) == "ping");
        sendAll(server, "pong");
        QVERIFY(receive(client, 4) == "pong");
        QVERIFY(ProxyClock::now() - asked >= 80ms);

        const std::string up = numbered(3 * 1024 * 1024 + 17, 3);
        const std::string down = numbered(2 * 1024 * 1024 + 5, 4);
        std::thread serverSide([server, &down] { sendAll(server, down); });
        std::thread clientSide([client, &up] {
            sendAll(client, up);
            ::shutdown(client, SHUT_WR);
        });
        const std::string atServer = receive(server);
        serverSide.join();
        clientSide.join();
        // The client's end closes one way only: the server still answers.
        sendAll(server, "after your end");
        ::shutdown(server, SHUT_WR);
        const std::string atClient = receive(client);
        QVERIFY(atServer == up);
        QVERIFY(atClient == down + "after your end");

        for (const int socket : {client, server, listener}) {
            ::close(socket);
        }
        relay.kill();
        relay.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(DelayProxyTest)
#include "test_delayproxy.moc"
