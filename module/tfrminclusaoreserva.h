#pragma once

#include "framework/ansistring.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "layout/formcontrols.h"
#include "module/pkg_res01400_export.h"

namespace Db {
class TField;
class TDataSource;
} // namespace Db

namespace Dbclient {
class TClientDataSet;
}

class QInputMethodEvent;
class TBlendedButton;
class TMessages;

// The entries in the order the operator makes them; an entry is accepted only after the one
// before it.
enum class EntryStep { None, Name, Date, StartTime, EndTime, Telephone, People, Description };

// The "Dados da Reserva" screen: seven entries typed one at a time on the on-screen keyboard,
// each validated before the next, then handed to the table-reservation package.
//
// Where each part lives, beside this header:
// - layout/: the window and its controls (tfrminclusaoreserva.ui), bound by name (controls.h);
// - tfrminclusaoreserva.cpp: creation, the wiring of every key, FormCreate and FormClose;
// - datacomponents.cpp: the datasets, their fields and the message catalogue msgPadrao;
// - inicializaform.cpp: InicializaForm, the parameters file and the prefilled edit;
// - keyinput.cpp: FormKeyDown and FormKeyPress, what each key does at each step;
// - keyboard.cpp: the on-screen keys, PostText, Shift and Caps Lock, the exit key;
// - accentkeys.cpp, accentpopup.cpp: the accented forms a held letter key offers;
// - textcharacters.cpp: which characters a name or a description takes, and their case;
// - steps.cpp: what Enter checks at each step (stepName ... stepHandOff) and the calendar.
class PKG_RES01400_EXPORT TfrmInclusaoReserva : public Forms::TForm,
                                                public TfrmInclusaoReservaControls {
    Q_OBJECT

public:
    explicit TfrmInclusaoReserva(QWidget* owner);
    ~TfrmInclusaoReserva() override;

    void InicializaForm(int inTipo, Dbclient::TClientDataSet* reserva);
    void PostText(const AnsiString& stText, bool boEnter, bool boChar);

    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender, Forms::TCloseAction& Action);
    void FormKeyDown(QObject* Sender, Forms::WORD& Key, Forms::TShiftState Shift);
    void FormKeyPress(QObject* Sender, char& Key);

    void sbt1Click(QObject* Sender);
    void spdCCdilClick(QObject* Sender);
    void sbtBackSpaceClick(QObject* Sender);
    void sbtLimparClick(QObject* Sender);
    void sbtShiftClick(QObject* Sender);
    void sbtCapsLockClick(QObject* Sender);
    void sbtSairClick(QObject* Sender);
    void sbtEnterClick(QObject* Sender);
    void sbtCanlendarioClick(QObject* Sender);

    void cdsReservaIDSTRESMESAGetText(Db::TField* Sender, AnsiString& Text, bool DisplayText);

    // Non-visual components.
    Dbclient::TClientDataSet* cdsReserva;
    Db::TField* cdsReservaDSRESMESA;
    Db::TField* cdsReservaNRRESMESA;
    Db::TField* cdsReservaCDFILIAL;
    Db::TField* cdsReservaCDLOJA;
    Db::TField* cdsReservaDTRESMESA;
    Db::TField* cdsReservaHRINIRESMESA;
    Db::TField* cdsReservaHRFINRESMESA;
    Db::TField* cdsReservaNMRESMESA;
    Db::TField* cdsReservaNRTELRESMESA;
    Db::TField* cdsReservaNRPESRESMESA;
    Db::TField* cdsReservaIDSTRESMESA;
    Db::TField* cdsReservaCDOPERINCRES;
    Db::TField* cdsReservaDTHRINCLURES;
    Dbclient::TClientDataSet* cdsParametrosQuor;
    Dbclient::TClientDataSet* cdsReservaMesa;
    Dbclient::TClientDataSet* cdsMesaDisp;
    Dbclient::TClientDataSet* cdsMesaRes;
    Db::TDataSource* dtsMesaDisp;
    Db::TDataSource* dtsMesaRes;
    Db::TDataSource* dtsReserva;
    TMessages* msgPadrao;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Lets the test suites read the entry state without widening the form's interface.
    friend struct FormStateAccess;

    void createDataComponents();
    void wireEvents();
    void setLetterCaptions(bool upperCase);
    // A key of the layout found by name; a key the layout lacks stops the start-up, named.
    TBlendedButton* keyNamed(const AnsiString& name) const;

    void stepName();
    void stepDate();
    void stepStartTime();
    void stepEndTime();
    void stepTelephone();
    void stepPeople();
    void stepHandOff();
    void showMessage(const AnsiString& key);
    void showMessageFormatted(const AnsiString& key, const AnsiString& text);
    void moveMarker(Controls::TLabel* accepted, Controls::TLabel* next);
    Controls::TLabel* currentValueLabel() const;

    bool boCapsLock = false;
    bool boShift = false;
    EntryStep inCampo = EntryStep::None;
    AnsiString stDigHrIni;
    AnsiString stDigData;
    AnsiString stDigHrFim;
    AnsiString stDigTel;
    AnsiString stIdEsquema;
    AnsiString stHrIni;
    AnsiString stHrFim;
    AnsiString stTelefone;
    AnsiString stData;
};
