#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>

// Where a random-event run starts and how long it is. QTest owns the command line, so the
// runner takes its own options out of it first: --seed S, --seeds K and --events M, each also
// read from the environment as RANDOM_SEED, RANDOM_SEEDS and RANDOM_EVENTS (the command line
// wins). The run plays K sequences of M events, with the seeds S, S+1, ... S+K-1.
struct RandomRunSettings {
    std::uint32_t firstSeed = 0;
    // False when no seed was given and the first one was drawn at random.
    bool seedGiven = false;
    int seeds = 0;
    int events = 0;
};

// Takes the run's options out of arguments. Without a seed the run starts at a random one;
// without a count of seeds it plays one sequence. Returns nothing, after saying why, when a
// value is not a number or not above zero.
std::optional<RandomRunSettings> TakeRandomRunSettings(QStringList& arguments, int defaultEvents);
