#include "randomrun.h"

#include "entryproperties.h"
#include "randomcollaborators.h"
#include "randomevents.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace {

QString escapedText(const std::exception& error) {
    return QString::fromLatin1(error.what());
}

// A screen of the run: the form, its properties, and whether it has closed.
class Screen {
public:
    Screen(std::mt19937& random, QString& broken) {
        const int tipo =
            std::bernoulli_distribution(0.25)(random) ? EditReservation : NewReservation;
        try {
            form_ = tipo == EditReservation ? OpenForm(tipo, {PrefilledRow()}) : OpenForm(tipo);
        } catch (const std::exception& error) {
            broken = QStringLiteral("the screen did not open: ") + escapedText(error);
            return;
        }
        QObject::connect(form_.get(), &QDialog::finished, form_.get(), [this] { closed_ = true; });
        properties_.emplace(*form_, tipo);
        broken = properties_->Opened(*form_);
    }

    TfrmInclusaoReserva& Form() { return *form_; }
    EntryProperties& Properties() { return *properties_; }
    bool TakeClosed() { return std::exchange(closed_, false); }

private:
    std::unique_ptr<TfrmInclusaoReserva> form_;
    std::optional<EntryProperties> properties_;
    bool closed_ = false;
};

EventFacts play(TfrmInclusaoReserva& form, const RandomEvent& event) {
    EventFacts facts;
    facts.enter = event.IsEnter(form);
    facts.calendar = event.IsCalendar(form);
    facts.exit = event.IsExit(form);
    try {
        Deliver(form, event);
    } catch (const std::exception& error) {
        facts.escaped = escapedText(error);
    } catch (...) {
        facts.escaped = QStringLiteral("an exception of no known type");
    }
    return facts;
}

} // namespace

SeedResult RunSeed(std::uint32_t seed, int events) {
    std::mt19937 random(seed);
    const auto upTo = [&random](int highest) {
        return std::uniform_int_distribution(0, highest)(random);
    };
    const ClockAt clock(QDateTime(QDate(2026, 12, 8), QTime(upTo(23), upTo(59), upTo(59))));
    RandomCollaborators collaborators(random);
    SeedResult result;
    std::unique_ptr<Screen> screen;
    std::optional<RandomEvents> source;
    const auto open = [&]() -> QString {
        QString broken;
        screen = std::make_unique<Screen>(random, broken);
        ++result.screens;
        if (broken.isEmpty() && !collaborators.Take().reported.empty()) {
            broken = QStringLiteral("opening the screen reported an error");
        }
        if (broken.isEmpty() && !source) {
            source.emplace(random, screen->Form());
        }
        return broken;
    };

    result.event = QStringLiteral("opening the first screen");
    result.broken = open();
    for (int number = 1; result.broken.isEmpty() && number <= events; ++number) {
        TfrmInclusaoReserva& form = screen->Form();
        const RandomEvent event = source->Next(form, FormStateAccess::inCampo(form));
        result.event = event.Describe();
        screen->Properties().Before(form);
        EventFacts facts = play(form, event);
        facts.closed = screen->TakeClosed();
        facts.record = collaborators.Take();
        for (const AnsweredHandOff& handOff : facts.record.handOffs) {
            ++(handOff.outcome == HandOffOutcome::Stored ? result.stored : result.refused);
        }
        result.deepestStep = std::max(result.deepestStep, FormStateAccess::inCampo(form));
        result.broken = screen->Properties().After(form, facts);
        if (result.broken.isEmpty() && facts.closed) {
            source->Forget();
            result.event += QStringLiteral(", then opening a fresh screen");
            result.broken = open();
        }
        if (!result.broken.isEmpty()) {
            result.failedEvent = number;
        }
    }
    if (result.broken.isEmpty()) {
        result.event.clear();
    } else if (result.failedEvent == 0) {
        result.failedEvent = 1;
    }
    return result;
}
