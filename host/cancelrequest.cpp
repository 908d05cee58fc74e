#include "cancelrequest.h"

#include "journal.h"
#include "reservas/store.h"
#include "terminaltexts.h"

#include <cstdio>

namespace {

void complain(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

bool CancelFromCommandLine(const AnsiString& nrresmesa, Journal& journal) {
    const QString number = ToQString(nrresmesa);
    try {
        switch (Reservas::CancelReservation(nrresmesa)) {
        case Reservas::CancelResult::Cancelled:
            journal.write({{"event", "cancelled"}, {"nrresmesa", number}});
            return true;
        case Reservas::CancelResult::NotFound:
            complain(QStringLiteral("no stored reservation has the number %1").arg(number));
            return false;
        case Reservas::CancelResult::AlreadyCancelled:
            complain(QStringLiteral("the reservation %1 is cancelled already").arg(number));
            return false;
        case Reservas::CancelResult::Changed:
            complain(QStringLiteral("the reservation %1 changed on another terminal as it was "
                                    "being cancelled; nothing was changed, try again")
                         .arg(number));
            return false;
        }
    } catch (const std::exception& error) {
        complain(QStringLiteral("cannot cancel the reservation %1: %2")
                     .arg(number, ConsoleErrorText(error)));
    }
    return false;
}
