#pragma once

#include "framework/ansistring.h"
#include "reservas/store.h"

#include <cstddef>
#include <optional>
#include <vector>

// A reservation a search found, with the record of its guest's telephone.
struct FoundReservation {
    Reservas::DayReservation Reservation;
    Reservas::GuestRecord Guest;
};

// The guest's record in words: "3 visitas, última 02/12/2026, não veio 1 vez"; nothing for a
// reservation without a telephone.
AnsiString GuestRecordText(const AnsiString& telephone, const Reservas::GuestRecord& record);

// Shows what a search found in a touch list over the active window, in the display scheme
// schemeId, under title: date, start, name with the guest's record (a returning guest marked),
// people, telephone and status. A tap on a row (or Enter on the row chosen with the arrows)
// answers its index; Voltar or Esc answers nothing.
std::optional<std::size_t> PickFoundReservation(const std::vector<FoundReservation>& found,
                                                const AnsiString& title,
                                                const AnsiString& schemeId);
