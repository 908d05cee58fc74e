#pragma once

#include "reservas/store.h"

#include <QDate>
#include <vector>

// What the day window, its timeline and the printout show of a day: its reservations (cancelled
// ones included) and the restaurant's tables, read together.
struct DayContents {
    QDate Day;
    std::vector<Reservas::DayReservation> Reservations;
    std::vector<Reservas::RestaurantTable> Tables;
};

// Raises as the store does; reading never creates the database.
DayContents ReadDayContents(const QDate& day);
