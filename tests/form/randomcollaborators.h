#pragma once

#include "formfixture.h"

#include <random>
#include <vector>

// How the package answered a hand-off: it stored the reservation, it refused it with an error,
// or the operator went back from its table grid (the silent abort).
enum class HandOffOutcome { Stored, Refused, WentBack };

struct AnsweredHandOff {
    HandOff values;
    HandOffOutcome outcome = HandOffOutcome::Stored;
};

// What reached the screen's collaborators during one event.
struct CollaboratorRecord {
    int calendarCalls = 0;
    std::vector<AnsweredHandOff> handOffs;
    int messages = 0;
    // What the event guard reported, and what the calendar and the package raised for it to
    // report: the two must be the same.
    std::vector<AnsiString> reported;
    std::vector<AnsiString> raised;
};

// Replaces the touch calendar and the package's hand-off with routines that answer at random
// from the run's generator, answers every message without a window and takes over the event
// guard's error display. One at a time; the destructor puts everything back.
class RandomCollaborators {
public:
    explicit RandomCollaborators(std::mt19937& random);
    ~RandomCollaborators();
    RandomCollaborators(const RandomCollaborators&) = delete;
    RandomCollaborators& operator=(const RandomCollaborators&) = delete;

    // What happened since the last call.
    CollaboratorRecord Take();

private:
    TTouchCalendar calendarBefore_;
    TCriaMesasReserva handOffBefore_;
};
