#include "tfrminclusaoreserva.h"

#include "accentkeys.h"
#include "cli_res01400.h"
#include "framework/sysutils.h"
#include "hostlib/hostlib.h"
#include "moduletexts.h"
#include "ui_tfrminclusaoreserva.h"

TfrmInclusaoReserva::TfrmInclusaoReserva(QWidget* owner) : Forms::TForm(owner) {
    // Set before the layout exists: changing the flags re-parents the window, and Qt then goes
    // through every control already on it again.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    // Dead keys and the compose key make their letters only for a window that takes text.
    setAttribute(Qt::WA_InputMethodEnabled);
    Ui::TfrmInclusaoReserva layout;
    layout.setupUi(this);
#define BIND_CONTROL(Class, name) name = layout.name;
    TFRMINCLUSAORESERVA_CONTROLS(BIND_CONTROL)
#undef BIND_CONTROL
    SetCenteredOnScreen(true);
    createDataComponents();
    wireEvents();
    DoCreate();
}

TfrmInclusaoReserva::~TfrmInclusaoReserva() = default;

void TfrmInclusaoReserva::wireEvents() {
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnClose = [this](QObject* sender, Forms::TCloseAction& action) { FormClose(sender, action); };
    OnKeyDown = [this](QObject* sender, Forms::WORD& key, Forms::TShiftState shift) {
        FormKeyDown(sender, key, shift);
    };
    OnKeyPress = [this](QObject* sender, char& key) { FormKeyPress(sender, key); };

    using Handler = void (TfrmInclusaoReserva::*)(QObject*);
    const auto wire = [this](TBlendedButton* key, Handler handler) {
        key->OnClick = [this, handler](QObject* sender) { (this->*handler)(sender); };
    };
    // Every character key types through sbt1Click, except the ç key.
    TBlendedButton* const characterKeys[] = {
        sbt1, sbt2, sbt3, sbt4, sbt5, sbt6, sbt7,       sbt8,     sbt9,     sbt0,
        sbtQ, sbtW, sbtE, sbtR, sbtT, sbtY, sbtU,       sbtI,     sbtO,     sbtP,
        sbtA, sbtS, sbtD, sbtF, sbtG, sbtH, sbtJ,       sbtK,     sbtL,     sbtZ,
        sbtX, sbtC, sbtV, sbtB, sbtN, sbtM, sbtVirgula, sbtPonto, sbtBarra, sbtEspaco};
    // A held letter key offers its accented forms; each types as its letter key would, and the
    // ç among them as the ç key does.
    auto* accentKeys = new AccentKeys(this, [this](TBlendedButton* chosen) {
        if (chosen->Tag() == 0xC7) {
            spdCCdilClick(chosen);
        } else {
            sbt1Click(chosen);
        }
    });
    for (TBlendedButton* key : characterKeys) {
        wire(key, &TfrmInclusaoReserva::sbt1Click);
        accentKeys->Watch(key);
    }
    wire(sbtCCdil, &TfrmInclusaoReserva::spdCCdilClick);
    wire(sbtBackSpace, &TfrmInclusaoReserva::sbtBackSpaceClick);
    wire(sbtEnter, &TfrmInclusaoReserva::sbtEnterClick);
    wire(sbtSair, &TfrmInclusaoReserva::sbtSairClick);
    wire(sbtShift, &TfrmInclusaoReserva::sbtShiftClick);
    wire(sbtCapsLock, &TfrmInclusaoReserva::sbtCapsLockClick);
    wire(sbtLimpar, &TfrmInclusaoReserva::sbtLimparClick);
    wire(sbtCalendario, &TfrmInclusaoReserva::sbtCanlendarioClick);
}

TBlendedButton* TfrmInclusaoReserva::keyNamed(const AnsiString& name) const {
    // The layout puts every key straight on the form, so the search stays out of the
    // datasets and their fields.
    auto* key = findChild<TBlendedButton*>(ToQString(name), Qt::FindDirectChildrenOnly);
    if (key == nullptr) {
        throw Sysutils::Exception(Sysutils::Format(ModuleText("SEMCOMPONENTE"), name));
    }
    return key;
}

void TfrmInclusaoReserva::FormCreate(QObject*) {
    Trad(this);
}

void TfrmInclusaoReserva::FormClose(QObject*, Forms::TCloseAction&) {
    Cli_res01400::boInclusaoReser = false;
    Release();
}
