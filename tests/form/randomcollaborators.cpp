#include "randomcollaborators.h"

#include "framework/datetime.h"
#include "framework/events.h"
#include "framework/sysutils.h"

#include <string>
#include <utility>

namespace {

std::mt19937* generator = nullptr;
CollaboratorRecord record;
int failures = 0;

bool chance(double probability) {
    return std::bernoulli_distribution(probability)(*generator);
}

AnsiString failure(const char* what) {
    const AnsiString text = AnsiString(what) + " " + std::to_string(++failures);
    record.raised.push_back(text);
    return text;
}

// A date text as the calendar shows it, some days either side of today; nothing; or a failure.
AnsiString randomCalendar(int, int, int) {
    ++record.calendarCalls;
    if (chance(0.2)) {
        throw Sysutils::Exception(failure("calendar failed"));
    }
    if (chance(0.3)) {
        return chance(0.5) ? AnsiString() : AnsiString("  ");
    }
    const int days = std::uniform_int_distribution(-5, 60)(*generator);
    return Sysutils::DateToStr(Sysutils::Date() + days);
}

void randomHandOff(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                   const AnsiString& telefone, const AnsiString& dataDigitos,
                   const AnsiString& data, const AnsiString& nome, const AnsiString& descricao,
                   const AnsiString& pessoas, Dbclient::TClientDataSet* reserva) {
    AnsweredHandOff& answered = record.handOffs.emplace_back();
    answered.values = {tipo, hrIni, hrFim,     telefone, dataDigitos,
                       data, nome,  descricao, pessoas,  reserva};
    const int answer = std::discrete_distribution({60, 25, 15})(*generator);
    if (answer == 1) {
        answered.outcome = HandOffOutcome::Refused;
        throw Sysutils::Exception(failure("package refused"));
    }
    if (answer == 2) {
        answered.outcome = HandOffOutcome::WentBack;
        Sysutils::Abort();
    }
}

} // namespace

RandomCollaborators::RandomCollaborators(std::mt19937& random)
    : calendarBefore_(TouchCalendar), handOffBefore_(CriaMesasReserva) {
    generator = &random;
    record = {};
    failures = 0;
    TouchCalendar = &randomCalendar;
    CriaMesasReserva = &randomHandOff;
    SetMensagemObserver([](const MensagemCall&) {
        ++record.messages;
        return true;
    });
    Forms::SetExceptionHandler([](const AnsiString& message, const AnsiString& detail) {
        record.reported.push_back(message.empty() ? detail : message);
    });
}

RandomCollaborators::~RandomCollaborators() {
    TouchCalendar = calendarBefore_;
    CriaMesasReserva = handOffBefore_;
    SetMensagemObserver({});
    Forms::SetExceptionHandler({});
    generator = nullptr;
}

CollaboratorRecord RandomCollaborators::Take() {
    return std::exchange(record, {});
}
