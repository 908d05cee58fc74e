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
    AnsiString StatusCode;
    AnsiString Guest;   // beneath the name: a returning guest's visit and the description
    AnsiString Arrival; // beneath the status: when the guest arrived
    bool Cancelled = false;
    qlonglong Versao = 0; // the version the row was read at

    bool operator==(const DayRow&) const = default;
};

// Times as HH:MM, the telephone masked as on the entry screen, the package's status word, the
// tables held or "sem mesa"; beneath the name, "3ª visita" for a guest who came twice before,
// and the description; beneath the status, the arrival time.
DayRow DayRowOf(const Reservas::DayReservation& reservation);

// The day in words, as the heading shows it: "TerÃ§a-feira, 08/12/2026".
QString DayHeading(const QDate& day);
