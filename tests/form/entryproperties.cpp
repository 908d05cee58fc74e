#include "entryproperties.h"

#include "framework/data/db.h"
#include "framework/datetime.h"
#include "module/displaymasks.h"
#include "module/entrylimits.h"

#include <QStringList>
#include <algorithm>
#include <string>

namespace {

constexpr int dateStep = int(EntryStep::Date);
constexpr int descriptionStep = int(EntryStep::Description);
const char* const stepNames[] = {"name",      "date",   "start time", "end time",
                                 "telephone", "people", "description"};

bool isDigit(char character) {
    return character >= '0' && character <= '9';
}

std::size_t digitCount(const AnsiString& text) {
    return std::size_t(std::count_if(text.begin(), text.end(), isDigit));
}

AnsiString digitsOf(const AnsiString& text) {
    AnsiString digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isDigit);
    return digits;
}

bool onlyDigits(const AnsiString& text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

// Letters, digits, ",", ".", "/", the blank, and ç and the accented vowels of Portuguese in
// either case: what a name or a description holds.
bool isTextCharacter(char character) {
    const auto code = static_cast<unsigned char>(character);
    return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') || isDigit(character) ||
           AnsiString(" ,./\xE7\xC7"
                      "\xE1\xE0\xE2\xE3\xE9\xEA\xED\xF3\xF4\xF5\xFA\xFC"
                      "\xC1\xC0\xC2\xC3\xC9\xCA\xCD\xD3\xD4\xD5\xDA\xDC")
                   .find(character) != AnsiString::npos;
}

QString quoted(const AnsiString& text) {
    return QLatin1Char('"') + ToQString(text) + QLatin1Char('"');
}

QString texts(const std::vector<AnsiString>& list) {
    QStringList quotedTexts;
    for (const AnsiString& text : list) {
        quotedTexts << quoted(text);
    }
    return QLatin1Char('[') + quotedTexts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

std::array<const Controls::TLabel*, 7> valueLabels(const TfrmInclusaoReserva& form) {
    return {form.lblNome,         form.lblDtResMesa, form.lblHrIni,    form.lblHrFim,
            form.lblNrTelResMesa, form.lblNrPesMesa, form.lblDsReserva};
}

std::array<const Controls::TLabel*, 7> captionLabels(const TfrmInclusaoReserva& form) {
    return {form.lblDsNome,         form.lblDsData,      form.lblDsHrIni, form.lblDsHrFin,
            form.lblDsNrTelResMesa, form.lblDsNrPesMesa, form.lblDsReserv};
}

// The limits come from the form's own fields and from what the displays can show.
EntryProperties::Limits limitsOf(const TfrmInclusaoReserva& form) {
    EntryProperties::Limits limits;
    limits.name = std::size_t(form.cdsReservaNMRESMESA->Size());
    limits.description = std::size_t(form.cdsReservaDSRESMESA->Size());
    limits.people = std::size_t(form.cdsReservaNRPESRESMESA->Size());
    const AnsiString date = Sysutils::DateToStr(Sysutils::Date());
    limits.dateShown = date.size();
    limits.dateDigits = digitCount(date);
    limits.startDigits = std::size_t(form.cdsReservaHRINIRESMESA->Size());
    limits.endDigits = std::size_t(form.cdsReservaHRFINRESMESA->Size());
    limits.timeShown =
        FormatTime(AnsiString(std::max(limits.startDigits, limits.endDigits), '1')).size();
    // The telephone has no field that says how many digits it takes: the typing rule does.
    limits.telephoneDigits = EntryLimits::TelephoneDigits;
    for (std::size_t length = 0; length <= limits.telephoneDigits; ++length) {
        limits.telephoneShown =
            std::max(limits.telephoneShown, FormatTelephone(AnsiString(length, '1')).size());
    }
    return limits;
}

// What is wrong with a value shown at a step, or an empty text.
QString valueBroken(int step, const AnsiString& value, const EntryProperties::Limits& limits) {
    const auto masked = [&value](const char* literals, std::size_t digits,
                                 std::size_t shown) -> QString {
        const bool allowed = std::all_of(value.begin(), value.end(), [literals](char character) {
            return isDigit(character) || AnsiString(literals).find(character) != AnsiString::npos;
        });
        if (!allowed) {
            return QStringLiteral("holds more than digits and \"%1\"").arg(QLatin1String(literals));
        }
        if (digitCount(value) > digits || value.size() > shown) {
            return QStringLiteral("is longer than %1 digits in %2 characters")
                .arg(digits)
                .arg(shown);
        }
        return {};
    };
    switch (step) {
    case 1:
    case 7: {
        if (!std::all_of(value.begin(), value.end(), isTextCharacter)) {
            return QStringLiteral("holds a character a text entry does not take");
        }
        const std::size_t limit = step == 1 ? limits.name : limits.description;
        return value.size() > limit ? QStringLiteral("is longer than %1").arg(limit) : QString();
    }
    case 2:
        return masked("/", limits.dateDigits, limits.dateShown);
    case 3:
        return masked(" :", limits.startDigits, limits.timeShown);
    case 4:
        return masked(" :", limits.endDigits, limits.timeShown);
    case 5:
        return masked("() -", limits.telephoneDigits, limits.telephoneShown);
    case 6:
        return masked("", limits.people, limits.people);
    default:
        return QStringLiteral("belongs to no step");
    }
}

// Time digits as typed (HHMM, or HMM) stand for the time the shown text converts to.
bool sameTime(const AnsiString& digits, std::size_t limit, const AnsiString& shown) {
    if (digits.empty() || digits.size() > limit || !onlyDigits(digits)) {
        return false;
    }
    const int value = std::stoi(digits);
    try {
        const QTime time = Sysutils::DecodeDateTime(Sysutils::StrToTime(shown)).time();
        return time.hour() == value / 100 && time.minute() == value % 100;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

EntryProperties::EntryProperties(const TfrmInclusaoReserva& form, int tipo)
    : tipo_(tipo), limits_(limitsOf(form)) {}

EntryProperties::Screen EntryProperties::read(const TfrmInclusaoReserva& form) {
    Screen screen;
    screen.step = FormStateAccess::inCampo(form);
    const auto values = valueLabels(form);
    const auto captions = captionLabels(form);
    for (std::size_t index = 0; index < steps; ++index) {
        screen.values[index] = values[index]->Caption();
        screen.captions[index] = captions[index]->FontColor();
    }
    return screen;
}

QString EntryProperties::Opened(const TfrmInclusaoReserva& form) {
    Before(form);
    accepted_ = {};
    if (before_.step != 1) {
        return QStringLiteral("a new screen starts at step %1, not at the name").arg(before_.step);
    }
    return screenBroken(form, before_, true);
}

const AnsiString& EntryProperties::accepted(EntryStep step) const {
    return accepted_[std::size_t(step) - 1];
}

void EntryProperties::Before(const TfrmInclusaoReserva& form) {
    before_ = read(form);
}

QString EntryProperties::screenBroken(const TfrmInclusaoReserva& form, const Screen& screen,
                                      bool open) const {
    for (std::size_t index = 0; index < steps; ++index) {
        const QString broken = valueBroken(int(index) + 1, screen.values[index], limits_);
        if (!broken.isEmpty()) {
            return QStringLiteral("the %1 %2 %3")
                .arg(QLatin1String(stepNames[index]), quoted(screen.values[index]), broken);
        }
    }
    const struct {
        const char* name;
        const AnsiString& digits;
        std::size_t limit;
    } buffers[] = {{"date", FormStateAccess::stDigData(form), limits_.dateDigits},
                   {"start time", FormStateAccess::stDigHrIni(form), limits_.startDigits},
                   {"end time", FormStateAccess::stDigHrFim(form), limits_.endDigits},
                   {"telephone", FormStateAccess::stDigTel(form), limits_.telephoneDigits}};
    for (const auto& buffer : buffers) {
        if (!onlyDigits(buffer.digits) || buffer.digits.size() > buffer.limit) {
            return QStringLiteral("the %1 digits typed, %2, are not up to %3 digits")
                .arg(QLatin1String(buffer.name), quoted(buffer.digits))
                .arg(buffer.limit);
        }
    }
    if (open) {
        const auto red =
            std::count(screen.captions.begin(), screen.captions.end(), Graphics::clRed);
        const bool currentRed = screen.step >= 1 && screen.step <= int(steps) &&
                                screen.captions[std::size_t(screen.step - 1)] == Graphics::clRed;
        if (red != 1 || !currentRed) {
            return QStringLiteral(
                       "%1 captions are red at step %2; exactly the current one should be")
                .arg(red)
                .arg(screen.step);
        }
    }
    return {};
}

QString EntryProperties::handOffBroken(const TfrmInclusaoReserva& form,
                                       const AnsweredHandOff& handOff) const {
    const HandOff& values = handOff.values;
    const struct {
        const char* what;
        const AnsiString& handed;
        AnsiString expected;
    } exact[] = {{"name", values.nome, accepted(EntryStep::Name)},
                 {"date", values.data, accepted(EntryStep::Date)},
                 {"telephone", values.telefone, digitsOf(accepted(EntryStep::Telephone))},
                 {"people", values.pessoas, accepted(EntryStep::People)},
                 {"description", values.descricao, before_.values[descriptionStep - 1]}};
    for (const auto& value : exact) {
        if (value.handed != value.expected) {
            return QStringLiteral("the %1 handed on is %2, not the accepted %3")
                .arg(QLatin1String(value.what), quoted(value.handed), quoted(value.expected));
        }
    }
    if (!sameTime(values.hrIni, limits_.startDigits, accepted(EntryStep::StartTime)) ||
        !sameTime(values.hrFim, limits_.endDigits, accepted(EntryStep::EndTime))) {
        return QStringLiteral("the times handed on, %1 and %2, are not the accepted %3 and %4")
            .arg(quoted(values.hrIni), quoted(values.hrFim), quoted(accepted(EntryStep::StartTime)),
                 quoted(accepted(EntryStep::EndTime)));
    }
    if (!onlyDigits(values.dataDigitos) || values.dataDigitos.size() > limits_.dateDigits) {
        return QStringLiteral("the date digits handed on, %1, are not up to %2 digits")
            .arg(quoted(values.dataDigitos))
            .arg(limits_.dateDigits);
    }
    if (values.tipo != tipo_ || values.reserva != form.cdsReserva) {
        return QStringLiteral("the hand-off names operation %1 and another record, not %2")
            .arg(values.tipo)
            .arg(tipo_);
    }
    return {};
}

QString EntryProperties::After(const TfrmInclusaoReserva& form, const EventFacts& facts) {
    if (!facts.escaped.isEmpty()) {
        return QStringLiteral("an exception left the event guard: ") + facts.escaped;
    }
    const CollaboratorRecord& record = facts.record;
    if (record.reported != record.raised) {
        return QStringLiteral("the event guard reported %1 where the calendar and the package "
                              "raised %2")
            .arg(texts(record.reported), texts(record.raised));
    }
    const Screen after = read(form);
    const int step = before_.step;
    if (after.step < step || after.step > step + 1) {
        return QStringLiteral("the step went from %1 to %2").arg(step).arg(after.step);
    }
    const bool advanced = after.step == step + 1;
    const bool picked = facts.calendar && step == dateStep;
    if (advanced && !facts.enter && !picked) {
        return QStringLiteral("the step moved on from %1 without Enter or a calendar pick")
            .arg(step);
    }
    if (record.calendarCalls != (picked ? 1 : 0)) {
        return QStringLiteral("the calendar was asked %1 times at step %2")
            .arg(record.calendarCalls)
            .arg(step);
    }
    const bool rejected = facts.enter && step < descriptionStep && !advanced;
    if (record.messages != (rejected ? 1 : 0)) {
        return QStringLiteral("%1 messages at step %2; a rejected entry is explained in one, and "
                              "nothing else says anything")
            .arg(record.messages)
            .arg(step);
    }
    const bool handingOn = facts.enter && step == descriptionStep;
    if (record.handOffs.size() != (handingOn ? 1U : 0U)) {
        return QStringLiteral("%1 hand-offs at step %2").arg(record.handOffs.size()).arg(step);
    }
    if (handingOn) {
        const QString broken = handOffBroken(form, record.handOffs.front());
        if (!broken.isEmpty()) {
            return broken;
        }
    }
    const bool stored = handingOn && record.handOffs.front().outcome == HandOffOutcome::Stored;
    if (facts.closed != (facts.exit || stored)) {
        return facts.closed
                   ? QStringLiteral("the screen closed at step %1 with nothing stored").arg(step)
                   : QStringLiteral("the screen stayed open at step %1").arg(step);
    }
    for (std::size_t index = 0; index < steps; ++index) {
        const bool current = int(index) + 1 == step && !handingOn;
        if (!current && after.values[index] != before_.values[index]) {
            return QStringLiteral("the %1 changed from %2 to %3 at step %4")
                .arg(QLatin1String(stepNames[index]), quoted(before_.values[index]),
                     quoted(after.values[index]))
                .arg(step);
        }
    }
    const QString broken = screenBroken(form, after, !facts.closed);
    if (!broken.isEmpty()) {
        return broken;
    }
    if (advanced) {
        accepted_[std::size_t(step - 1)] = after.values[std::size_t(step - 1)];
    }
    return {};
}
