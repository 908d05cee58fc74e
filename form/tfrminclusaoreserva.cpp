#include "form/tfrminclusaoreserva.h"

#include "collaborators/hostlib.h"
#include "form/cli_res01400.h"
#include "ui_tfrminclusaoreserva.h"

TfrmInclusaoReserva::TfrmInclusaoReserva(QWidget* owner)
    : Forms::TForm(owner), ui(std::make_unique<Ui::TfrmInclusaoReserva>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnClose = [this](QObject* sender, Forms::TCloseAction& action) { FormClose(sender, action); };
    DoCreate();
}

TfrmInclusaoReserva::~TfrmInclusaoReserva() = default;

void TfrmInclusaoReserva::FormCreate(QObject*) {
    Trad(this);
}

void TfrmInclusaoReserva::FormClose(QObject*, Forms::TCloseAction&) {
    Cli_res01400::boInclusaoReser = false;
    Release();
}

void TfrmInclusaoReserva::InicializaForm(int, Dbclient::TClientDataSet*) {}
