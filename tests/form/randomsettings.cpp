#include "randomsettings.h"

#include <QtGlobal>
#include <limits>
#include <random>

namespace {

// The value of --name in arguments, taken out with it, or else the environment variable.
std::optional<QString> takeOption(QStringList& arguments, const QString& name, const char* variable,
                                  bool& missingValue) {
    const qsizetype at = arguments.indexOf(name);
    if (at >= 0) {
        if (at + 1 >= arguments.size()) {
            missingValue = true;
            return std::nullopt;
        }
        const QString value = arguments.at(at + 1);
        arguments.remove(at, 2);
        return value;
    }
    if (qEnvironmentVariableIsSet(variable)) {
        return qEnvironmentVariable(variable);
    }
    return std::nullopt;
}

template <typename Number>
bool readNumber(const std::optional<QString>& text, const char* what, Number minimum,
                Number& value) {
    if (!text) {
        return true;
    }
    bool ok = false;
    const qulonglong read = text->toULongLong(&ok);
    if (!ok || read < qulonglong(minimum) ||
        read > qulonglong(std::numeric_limits<Number>::max())) {
        qCritical("%s: \"%s\" is not a number from %llu to %llu", what, qPrintable(*text),
                  qulonglong(minimum), qulonglong(std::numeric_limits<Number>::max()));
        return false;
    }
    value = Number(read);
    return true;
}

} // namespace

std::optional<RandomRunSettings> TakeRandomRunSettings(QStringList& arguments, int defaultEvents) {
    bool missingValue = false;
    const auto seed = takeOption(arguments, QStringLiteral("--seed"), "RANDOM_SEED", missingValue);
    const auto seeds =
        takeOption(arguments, QStringLiteral("--seeds"), "RANDOM_SEEDS", missingValue);
    const auto events =
        takeOption(arguments, QStringLiteral("--events"), "RANDOM_EVENTS", missingValue);
    if (missingValue) {
        qCritical("--seed, --seeds and --events each take a number");
        return std::nullopt;
    }
    RandomRunSettings settings;
    settings.seeds = 1;
    settings.events = defaultEvents;
    settings.seedGiven = seed.has_value();
    if (!settings.seedGiven) {
        settings.firstSeed = std::random_device{}();
    }
    if (!readNumber(seed, "seed", std::uint32_t(0), settings.firstSeed) ||
        !readNumber(seeds, "seeds", 1, settings.seeds) ||
        !readNumber(events, "events", 1, settings.events)) {
        return std::nullopt;
    }
    return settings;
}
