#pragma once

#include <QString>
#include <cstdint>

// One seeded sequence of random events on the entry screen, and what it came to.
struct SeedResult {
    // The number (from 1) of the event that broke a property, what it was and what broke;
    // 0 when every event kept them.
    int failedEvent = 0;
    QString event;
    QString broken;

    int screens = 0;
    int stored = 0;
    int refused = 0;
    int deepestStep = 0;
};

// Plays the events of the seed on a new reservation or on an edit, chosen at random, and
// checks the screen after every one (EntryProperties); a screen that closes is followed by a
// fresh one. The framework clock stands still meanwhile, at a time of day of the seed's own.
SeedResult RunSeed(std::uint32_t seed, int events);
