#pragma once

#include "framework/ansistring.h"
#include "reservas/store.h"

#include <QDate>
#include <QString>

// A reservation of the day as its row reads on the screen.
struct DayRow {
    AnsiString Number;
    AnsiString Start;
    AnsiString End;
    AnsiString Name;
    AnsiString People;
    AnsiString Telephone;
    AnsiString Status;
    AnsiString Tables;
    bool Cancelled = false;
    qlonglong Versao = 0; // the version the row was read at

    bool operator==(const DayRow&) const = default;
};

// Times as HH:MM, the telephone masked as on the entry screen, the package's status word, the
// tables held or "sem mesa".
DayRow DayRowOf(const Reservas::DayReservation& reservation);

// The day in words, as the heading shows it: "Terça-feira, 08/12/2026".
QString DayHeading(const QDate& day);
