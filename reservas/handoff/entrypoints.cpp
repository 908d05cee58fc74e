#include "reservas/reservas.h"

#include "handoff/handoff.h"
#include "screens/touchcalendar.h"

TTouchCalendar TouchCalendar = &Reservas::ShowTouchCalendar;
TCriaMesasReserva CriaMesasReserva = &Reservas::StoreHandOff;
