// Stands between the terminals and a server on this machine as if the server were far away:
//   bench_delayproxy HOST PORT DELAY_MS
// relays every connection made to it to HOST:PORT, each chunk held DELAY_MS (whole
// milliseconds) in each direction, so that a request and its answer take 2 x DELAY_MS more. It
// prints "port N", the local port it listens on, and relays until it is ended. The suites'
// relay does the work. Exit code 2 on a bad request.

#include "serverproxy.h"

#include <QCoreApplication>
#include <QUrl>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool portOk = false;
    bool delayOk = false;
    const int port = arguments.value(2).toInt(&portOk);
    const int delay = arguments.value(3).toInt(&delayOk);
    if (arguments.size() != 4 || !portOk || port <= 0 || port > 65535 || !delayOk || delay < 0) {
        std::fputs("usage: bench_delayproxy HOST PORT DELAY_MS\n", stderr);
        return 2;
    }
    const ServerProxy proxy(
        QStringLiteral("postgresql://relay@%1:%2/relay").arg(arguments[1]).arg(port),
        std::chrono::milliseconds(delay));
    std::printf("port %d\n", QUrl(proxy.Location()).port());
    std::fflush(stdout);
    return application.exec();
}
