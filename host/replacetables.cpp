#include "replacetables.h"

#include "reservas/store.h"

#include <cstdio>

bool ReplaceRestaurantTables(const QString& list) {
    try {
        Reservas::SetRestaurantTables(Reservas::ParseTables(list));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ToQString(error.what())));
        return false;
    }
    return true;
}
