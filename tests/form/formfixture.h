#pragma once

#include "framework/data/dbclient.h"
#include "hostlib/hostlib.h"
#include "module/tfrminclusaoreserva.h"
#include "reservas/reservas.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Reads the form's entry state for the suites.
struct FormStateAccess {
    static int inCampo(const TfrmInclusaoReserva& form) { return int(form.inCampo); }
    static bool boShift(const TfrmInclusaoReserva& form) { return form.boShift; }
    static bool boCapsLock(const TfrmInclusaoReserva& form) { return form.boCapsLock; }
    static const AnsiString& stIdEsquema(const TfrmInclusaoReserva& f) { return f.stIdEsquema; }
    static const AnsiString& stDigData(const TfrmInclusaoReserva& f) { return f.stDigData; }
    static const AnsiString& stDigHrIni(const TfrmInclusaoReserva& f) { return f.stDigHrIni; }
    static const AnsiString& stDigHrFim(const TfrmInclusaoReserva& f) { return f.stDigHrFim; }
    static const AnsiString& stDigTel(const TfrmInclusaoReserva& f) { return f.stDigTel; }
    static const AnsiString& stData(const TfrmInclusaoReserva& f) { return f.stData; }
    static const AnsiString& stHrIni(const TfrmInclusaoReserva& f) { return f.stHrIni; }
    static const AnsiString& stHrFim(const TfrmInclusaoReserva& f) { return f.stHrFim; }
    static const AnsiString& stTelefone(const TfrmInclusaoReserva& f) { return f.stTelefone; }
};

// The ten arguments of one hand-off, as received.
struct HandOff {
    int tipo = 0;
    AnsiString hrIni, hrFim, telefone, dataDigitos, data, nome, descricao, pessoas;
    Dbclient::TClientDataSet* reserva = nullptr;
};

// One reservation row of the host's dataset.
struct ReservationRow {
    AnsiString nome;
    QDateTime data;
    AnsiString hrIni, hrFim, telefone, pessoas, descricao;
    AnsiString nrresmesa = "17";
    AnsiString status = "P";
};

// A complete reservation for the edit mode: Maria, 24/12/2026, 09:30 to 11:30, (11) 3333-4444,
// four people, "Aniversario".
ReservationRow PrefilledRow();

// Watches everything the form says and hands on: messages are answered without a window,
// errors of the framework are recorded, the package's entry points are replaced.
class FormWatch {
public:
    FormWatch();
    ~FormWatch();
    FormWatch(const FormWatch&) = delete;
    FormWatch& operator=(const FormWatch&) = delete;

    std::vector<MensagemCall> messages;
    std::vector<AnsiString> errors;
    std::vector<HandOff> handOffs;
    // What the calendar returns next; it counts its calls.
    AnsiString calendarAnswer;
    int calendarCalls = 0;
    // Makes the next hand-off fail with this text.
    std::optional<AnsiString> handOffFailure;

    std::vector<AnsiString> messageTexts() const;
};

// The host's reservation dataset with the record layout, holding the given rows.
std::unique_ptr<Dbclient::TClientDataSet> MakeReservation(const std::vector<ReservationRow>& rows);

// Sets the framework clock to a fixed moment until the guard ends. Guards may overlap (one
// replacing another in a test): the clock then stands at the moment of the newest one alive.
class ClockAt {
public:
    explicit ClockAt(const QDateTime& moment);
    ~ClockAt();
    ClockAt(const ClockAt&) = delete;
    ClockAt& operator=(const ClockAt&) = delete;

private:
    QDateTime moment_;
};

// A form created and initialised as the entry function does, but not shown.
std::unique_ptr<TfrmInclusaoReserva> OpenForm(int tipo,
                                              const std::vector<ReservationRow>& rows = {});

// A new reservation, shown, with the steps before the given one accepted: Ana, 24/12/2026,
// 19:30 to 21:30, (11) 3333-4444, four people.
std::unique_ptr<TfrmInclusaoReserva> FormAtStep(int step);

// Accepts the steps of a new reservation before the given one, with the entries of FormAtStep.
void WalkToStep(TfrmInclusaoReserva& form, int step);

// Runs action on the form the entry function shows, once its modal display is up; the display
// ends afterwards even when a check in action fails.
void WhenShown(std::function<void(TfrmInclusaoReserva&)> action);

// The on-screen key that types the character (digits, letters, blank, ",", ".", "/", and
// "ç"/"Ç" on the ç key); null for any other character.
TBlendedButton* KeyFor(const TfrmInclusaoReserva& form, char key);

// Taps each key of the text on the on-screen keyboard (digits, letters, blank, ",", ".", "/",
// and "ç"/"Ç" on the ç key); letters come out in the case the latches give.
void Tap(TfrmInclusaoReserva& form, const AnsiString& keys);
void TapEnter(TfrmInclusaoReserva& form);

AnsiString Caption(const QObject* control);
