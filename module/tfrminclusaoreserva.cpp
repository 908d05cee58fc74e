#include "tfrminclusaoreserva.h"

#include "cli_res01400.h"
#include "framework/sysutils.h"
#include "hostlib/hostlib.h"
#include "moduletexts.h"
#include "ui_tfrminclusaoreserva.h"

TfrmInclusaoReserva::TfrmInclusaoReserva(QWidget* owner) : Forms::TForm(owner) {
    // Set before the layout exists: changing the flags re-parents the window, and Qt then goes
    // through every control already on it again.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
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
    struct KeyWiring {
        const char* name;
        Handler handler;
    };
    // Every character key types through sbt1Click, except the ç key.
    static constexpr const char* characterKeys[] = {
        "sbt1", "sbt2", "sbt3", "sbt4", "sbt5",       "sbt6",     "sbt7",     "sbt8",
        "sbt9", "sbt0", "sbtQ", "sbtW", "sbtE",       "sbtR",     "sbtT",     "sbtY",
        "sbtU", "sbtI", "sbtO", "sbtP", "sbtA",       "sbtS",     "sbtD",     "sbtF",
        "sbtG", "sbtH", "sbtJ", "sbtK", "sbtL",       "sbtZ",     "sbtX",     "sbtC",
        "sbtV", "sbtB", "sbtN", "sbtM", "sbtVirgula", "sbtPonto", "sbtBarra", "sbtEspaco"};
    static constexpr KeyWiring functionKeys[] = {
        {"sbtCCdil", &TfrmInclusaoReserva::spdCCdilClick},
        {"sbtBackSpace", &TfrmInclusaoReserva::sbtBackSpaceClick},
        {"sbtEnter", &TfrmInclusaoReserva::sbtEnterClick},
        {"sbtSair", &TfrmInclusaoReserva::sbtSairClick},
        {"sbtShift", &TfrmInclusaoReserva::sbtShiftClick},
        {"sbtCapsLock", &TfrmInclusaoReserva::sbtCapsLockClick},
        {"sbtLimpar", &TfrmInclusaoReserva::sbtLimparClick},
        {"sbtCalendario", &TfrmInclusaoReserva::sbtCanlendarioClick},
    };
    const auto wire = [this](const char* name, Handler handler) {
        keyNamed(name)->OnClick = [this, handler](QObject* sender) { (this->*handler)(sender); };
    };
    for (const char* name : characterKeys) {
        wire(name, &TfrmInclusaoReserva::sbt1Click);
    }
    for (const KeyWiring& wiring : functionKeys) {
        wire(wiring.name, wiring.handler);
    }
}

TBlendedButton* TfrmInclusaoReserva::keyNamed(const AnsiString& name) const {
    auto* key = qobject_cast<TBlendedButton*>(FindComponent(name));
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
