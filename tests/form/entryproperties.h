#pragma once

#include "framework/graphics.h"
#include "randomcollaborators.h"

#include <QString>
#include <array>

// What one event was, as the screen's key table reads it, and what came of it besides the
// screen itself.
struct EventFacts {
    bool enter = false;
    bool calendar = false;
    bool exit = false;
    // The screen ended during the event.
    bool closed = false;
    // What left the event guard; empty when nothing did.
    QString escaped;
    CollaboratorRecord record;
};

// The properties the entry screen keeps through any sequence of events, checked between two:
// nothing leaves the event guard and it reports only what the collaborators raised; the step
// never goes back and moves on only with Enter or a calendar pick; each value holds only what
// its step takes, within the limits of its field and display, and only the current one
// changes; the digits typed stay within their limits; exactly the current step's caption is
// red; the calendar is asked only by a calendar key at the date; every rejected entry is
// explained in one message; and the package gets the accepted values once per Enter at the
// description, the screen closing only when it stored them or when the operator left.
class EntryProperties {
public:
    EntryProperties(const TfrmInclusaoReserva& form, int tipo);

    // A screen just opened: at the name, valid throughout. The first property broken, or an
    // empty text.
    QString Opened(const TfrmInclusaoReserva& form);
    // Remembers the screen before an event.
    void Before(const TfrmInclusaoReserva& form);
    // The first property the event broke, or an empty text.
    QString After(const TfrmInclusaoReserva& form, const EventFacts& facts);

    struct Limits {
        std::size_t name = 0, description = 0, people = 0;
        std::size_t dateDigits = 0, dateShown = 0;
        std::size_t startDigits = 0, endDigits = 0, timeShown = 0;
        std::size_t telephoneDigits = 0, telephoneShown = 0;
    };

private:
    static constexpr std::size_t steps = 7;
    struct Screen {
        int step = 0;
        std::array<AnsiString, steps> values;
        std::array<Graphics::TColor, steps> captions{};
    };
    static Screen read(const TfrmInclusaoReserva& form);
    QString screenBroken(const TfrmInclusaoReserva& form, const Screen& screen, bool open) const;
    const AnsiString& accepted(EntryStep step) const;
    QString handOffBroken(const TfrmInclusaoReserva& form, const AnsweredHandOff& handOff) const;

    int tipo_;
    Limits limits_;
    Screen before_;
    // Each value as it stood when its step was accepted.
    std::array<AnsiString, steps> accepted_;
};
