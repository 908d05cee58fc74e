#include "formfixture.h"

#include "../support/endmodal.h"
#include "framework/data/db.h"
#include "framework/datetime.h"
#include "framework/events.h"
#include "module/cli_res01400.h"
#include "reservas/store.h"

#include <QTest>
#include <QTimer>

namespace {

FormWatch* watching = nullptr;
TTouchCalendar packageCalendar = nullptr;
TCriaMesasReserva packageHandOff = nullptr;

AnsiString watchedCalendar(int, int, int) {
    ++watching->calendarCalls;
    return watching->calendarAnswer;
}

void watchedHandOff(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                    const AnsiString& telefone, const AnsiString& dataDigitos,
                    const AnsiString& data, const AnsiString& nome, const AnsiString& descricao,
                    const AnsiString& pessoas, Dbclient::TClientDataSet* reserva) {
    watching->handOffs.push_back(
        {tipo, hrIni, hrFim, telefone, dataDigitos, data, nome, descricao, pessoas, reserva});
    if (watching->handOffFailure) {
        const AnsiString failure = *watching->handOffFailure;
        watching->handOffFailure.reset();
        throw Sysutils::Exception(failure);
    }
}

} // namespace

FormWatch::FormWatch() {
    watching = this;
    SetMensagemObserver([this](const MensagemCall& call) {
        messages.push_back(call);
        return true;
    });
    Forms::SetExceptionHandler([this](const AnsiString& message, const AnsiString& detail) {
        errors.push_back(message.empty() ? detail : message);
    });
    packageCalendar = TouchCalendar;
    packageHandOff = CriaMesasReserva;
    TouchCalendar = &watchedCalendar;
    CriaMesasReserva = &watchedHandOff;
}

FormWatch::~FormWatch() {
    TouchCalendar = packageCalendar;
    CriaMesasReserva = packageHandOff;
    SetMensagemObserver({});
    Forms::SetExceptionHandler({});
    watching = nullptr;
}

std::vector<AnsiString> FormWatch::messageTexts() const {
    std::vector<AnsiString> texts;
    for (const MensagemCall& call : messages) {
        texts.push_back(call.Text);
    }
    return texts;
}

ReservationRow PrefilledRow() {
    ReservationRow row;
    row.nome = "Maria";
    row.data = QDateTime(QDate(2026, 12, 24), QTime(0, 0));
    row.hrIni = "0930";
    row.hrFim = "1130";
    row.telefone = "1133334444";
    row.pessoas = "4";
    row.descricao = "Aniversario";
    return row;
}

std::unique_ptr<Dbclient::TClientDataSet> MakeReservation(const std::vector<ReservationRow>& rows) {
    auto dataset = std::make_unique<Dbclient::TClientDataSet>();
    dataset->setObjectName(QStringLiteral("cdsHost"));
    Reservas::DefineReservationFields(*dataset);
    dataset->CreateDataSet();
    for (const ReservationRow& row : rows) {
        dataset->Append();
        dataset->FieldByName("NRRESMESA")->SetAsString(row.nrresmesa);
        dataset->FieldByName("NMRESMESA")->SetAsString(row.nome);
        if (row.data.isValid()) {
            dataset->FieldByName("DTRESMESA")
                ->SetAsDateTime(Sysutils::EncodeDateTime(row.data.date(), row.data.time()));
        }
        dataset->FieldByName("HRINIRESMESA")->SetAsString(row.hrIni);
        dataset->FieldByName("HRFINRESMESA")->SetAsString(row.hrFim);
        dataset->FieldByName("NRTELRESMESA")->SetAsString(row.telefone);
        dataset->FieldByName("NRPESRESMESA")->SetAsString(row.pessoas);
        dataset->FieldByName("DSRESMESA")->SetAsString(row.descricao);
        dataset->FieldByName("IDSTRESMESA")->SetAsString(row.status);
        dataset->Post();
    }
    dataset->First();
    return dataset;
}

namespace {

std::vector<const ClockAt*> clocksAlive;

} // namespace

ClockAt::ClockAt(const QDateTime& moment) : moment_(moment) {
    clocksAlive.push_back(this);
    Sysutils::SetClock([moment] { return moment; });
}

ClockAt::~ClockAt() {
    std::erase(clocksAlive, this);
    if (clocksAlive.empty()) {
        Sysutils::SetClock({});
    } else {
        const QDateTime moment = clocksAlive.back()->moment_;
        Sysutils::SetClock([moment] { return moment; });
    }
}

std::unique_ptr<TfrmInclusaoReserva> OpenForm(int tipo, const std::vector<ReservationRow>& rows) {
    auto form = std::make_unique<TfrmInclusaoReserva>(nullptr);
    const auto reservation = MakeReservation(rows);
    form->InicializaForm(tipo, reservation.get());
    return form;
}

void WalkToStep(TfrmInclusaoReserva& form, int step) {
    const char* entries[] = {"Ana", "24122026", "1930", "2130", "1133334444", "4"};
    for (int accepted = 1; accepted < step; ++accepted) {
        Tap(form, entries[accepted - 1]);
        TapEnter(form);
    }
}

std::unique_ptr<TfrmInclusaoReserva> FormAtStep(int step) {
    auto form = OpenForm(1);
    form->show();
    // Repaints reach only a window the platform has exposed.
    if (!QTest::qWaitForWindowExposed(form.get())) {
        qWarning("the form was not exposed: repaints cannot be seen");
    }
    WalkToStep(*form, step);
    return form;
}

void WhenShown(std::function<void(TfrmInclusaoReserva&)> action) {
    QTimer::singleShot(0, [action] {
        QVERIFY(Cli_res01400::frmInclusaoReserva != nullptr);
        const EndModalOnExit end(Cli_res01400::frmInclusaoReserva);
        QVERIFY(Cli_res01400::frmInclusaoReserva->isVisible());
        action(*Cli_res01400::frmInclusaoReserva);
    });
}

TBlendedButton* KeyFor(const TfrmInclusaoReserva& form, char key) {
    if (key >= '0' && key <= '9') {
        return form.findChild<TBlendedButton*>(QStringLiteral("sbt") + QChar(key));
    }
    if ((key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z')) {
        return form.findChild<TBlendedButton*>(QStringLiteral("sbt") + QChar(key).toUpper());
    }
    switch (key) {
    case ' ':
        return form.sbtEspaco;
    case ',':
        return form.sbtVirgula;
    case '.':
        return form.sbtPonto;
    case '/':
        return form.sbtBarra;
    case char(0xE7):
    case char(0xC7):
        return form.sbtCCdil;
    default:
        return nullptr;
    }
}

void Tap(TfrmInclusaoReserva& form, const AnsiString& keys) {
    for (const char key : keys) {
        TBlendedButton* button = KeyFor(form, key);
        QVERIFY2(button != nullptr, "no key for a character of the text");
        button->Click();
    }
}

void TapEnter(TfrmInclusaoReserva& form) {
    form.sbtEnter->Click();
}

AnsiString Caption(const QObject* control) {
    return FromQString(control->property("Caption").toString());
}
