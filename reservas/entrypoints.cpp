#include "collaborators/reservas.h"

#include "reservas/handoff.h"
#include "reservas/touchcalendar.h"

TTouchCalendar TouchCalendar = &Reservas::ShowTouchCalendar;
TCriaMesasReserva CriaMesasReserva = &Reservas::StoreHandOff;
