// One terminal's side of the table race: connects, says it is ready, waits for the start signal,
// then books a table through the package as the operator would. Exit codes: 0 stored, 1 told
// that another terminal holds the table, 3 told that the reservations are in use by another
// terminal (on a busy machine the wait for another terminal's lock can run out), 2 anything
// else (said on standard error).
#include "framework/sysutils.h"
#include "hostlib/mensagem.h"
#include "hostlib/pergunta.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

namespace {

// The package's word for a database another terminal kept busy past its wait.
bool isBusy(const std::exception& error) {
    return QString::fromLatin1(error.what())
        .startsWith(QStringLiteral(u"As reservas est\u00E3o em uso"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 5) {
        std::fputs("usage: race_booker DATABASE START_SIGNAL TABLE READY_SIGNAL\n", stderr);
        return 2;
    }
    Reservas::SetDatabaseLocation(arguments[1]);
    const int table = arguments[3].toInt();
    bool toldTaken = false;
    SetMensagemObserver([&toldTaken](const MensagemCall& call) {
        toldTaken = toldTaken || call.Kind == tmWarning;
        return true;
    });
    // Picks the table once; when the grid comes back, the operator goes back to the entry.
    int offered = 0;
    Reservas::SetTablePicker([&offered, table](const Reservas::TableChoice&) {
        return ++offered == 1 ? std::optional(std::vector<int>{table}) : std::nullopt;
    });
    // Every terminal books the same guest: asked about the others' reservation of the same
    // telephone, the operator goes on, so that the race is for the table.
    SetPerguntaObserver([](const AnsiString&) { return std::optional(true); });
    bool stored = false;
    Reservas::SetStoredObserver(
        [&stored](const AnsiString&, const std::vector<int>&) { stored = true; });

    // Connected and the tables in place before the start, so the terminals book at one moment.
    // All of them prepare the same fresh database at once: on a busy machine one may wait out
    // another's preparation and be told so, which is no part of the race; it tries again.
    const QDeadlineTimer preparing(30 * 1000);
    for (;;) {
        try {
            Reservas::PrepareDatabaseAsOwner();
            break;
        } catch (const std::exception& error) {
            if (!isBusy(error) || preparing.hasExpired()) {
                std::fprintf(stderr, "%s\n", error.what());
                return 2;
            }
        }
    }
    if (QFile ready(arguments[4]); !ready.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments[4]));
        return 2;
    }
    const QDeadlineTimer patience(60 * 1000);
    while (!QFileInfo::exists(arguments[2])) {
        if (patience.hasExpired()) {
            std::fputs("no start signal within a minute\n", stderr);
            return 2;
        }
        QThread::usleep(500);
    }
    try {
        CriaMesasReserva(NewReservation, "2000", "2200", "1133334444", "", "24/12/2026", "Corrida",
                         "", "4", nullptr);
    } catch (const Sysutils::EAbort&) {
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return isBusy(error) ? 3 : 2;
    }
    if (stored) {
        return 0;
    }
    return toldTaken ? 1 : 2;
}
