#pragma once

#include "reservas/store.h"

#include <QString>
#include <vector>

// Reservations and people (covers) of a part of the day.
struct Covers {
    int Reservations = 0;
    int People = 0;

    bool operator==(const Covers&) const = default;
};

// The day's covers, and split between the shifts: a reservation starting at dinnerFrom o'clock
// or later is dinner, any earlier one lunch. Cancelled and no-show reservations count nowhere,
// for nobody sits at their tables.
struct DayCovers {
    Covers Day;
    Covers Lunch;
    Covers Dinner;

    bool operator==(const DayCovers&) const = default;
};

DayCovers CoversOf(const std::vector<Reservas::DayReservation>& reservations, int dinnerFrom);

// One line for the operator: "12 reservas, 38 pessoas  ·  almoço: 4 reservas, ...".
QString CoversText(const DayCovers& covers);
