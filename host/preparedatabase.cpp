#include "preparedatabase.h"

#include "framework/ansistring.h"
#include "reservas/store.h"
#include "terminaltexts.h"

#include <cstdio>

bool PrepareForTerminals(const QString& terminalRole) {
    const QString location =
        Reservas::ParseDatabaseLocation(Reservas::DatabaseLocationText()).Shown();
    try {
        Reservas::PrepareDatabaseAsOwner(terminalRole);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot prepare %s: %s\n", qPrintable(location),
                     qPrintable(ConsoleErrorText(error)));
        return false;
    }
    std::printf("%s is ready for this version of the terminals", qPrintable(location));
    if (!terminalRole.isEmpty()) {
        std::printf("; the role %s may book, list and cancel", qPrintable(terminalRole));
    }
    std::printf(".\n");
    return true;
}
