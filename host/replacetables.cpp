#include "replacetables.h"

#include "reservas/store.h"
#include "terminaltexts.h"

#include <cstdio>

bool ReplaceRestaurantTables(const QString& list) {
    try {
        Reservas::SetRestaurantTables(Reservas::ParseTables(list));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ConsoleErrorText(error)));
        return false;
    }
    return true;
}
