#pragma once

#include <QString>
#include <QStringList>
#include <Qt>
#include <deque>
#include <random>

class TfrmInclusaoReserva;

// One thing the operator does: a tap on an on-screen key, by its name, or a physical key.
struct RandomEvent {
    QString tapped;
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;

    // What the screen's key table makes of it.
    bool IsEnter(const TfrmInclusaoReserva& form) const;
    bool IsCalendar(const TfrmInclusaoReserva& form) const;
    bool IsExit(const TfrmInclusaoReserva& form) const;
    QString Describe() const;
};

// Delivers the event to the form, a tap through the key and a physical key as the window
// system sends it. Whatever the form lets escape reaches the caller.
void Deliver(TfrmInclusaoReserva& form, const RandomEvent& event);

// Draws events: any on-screen key, physical keys of every kind (letters, digits, Enter,
// Backspace, Delete, Caps Lock, Shift, Alt+D, Alt+F4, Latin-1 letters and keys the screen does
// not take) and, rarely, the exit key or Esc. Now and then it types a whole entry that the
// current step may accept, one key per event, so that the later steps are reached too.
class RandomEvents {
public:
    RandomEvents(std::mt19937& random, const TfrmInclusaoReserva& form);

    RandomEvent Next(const TfrmInclusaoReserva& form, int step);
    // The screen closed: what was left of an entry being typed is dropped.
    void Forget() { planned_.clear(); }

private:
    bool chance(double probability);
    int between(int lowest, int highest);
    RandomEvent anyKey();
    RandomEvent physicalKey();
    RandomEvent character(const TfrmInclusaoReserva& form, char typed);
    void planEntry(const TfrmInclusaoReserva& form, int step);
    QString entryFor(const TfrmInclusaoReserva& form, int step);

    std::mt19937& random_;
    QStringList keys_;
    QString exitKey_;
    QString enterKey_;
    std::deque<RandomEvent> planned_;
};
