#pragma once

#include "framework/ansistring.h"
#include "framework/forms.h"
#include "package/pkg_res01400_export.h"

#include <memory>

namespace Dbclient {
class TClientDataSet;
}

namespace Ui {
class TfrmInclusaoReserva;
}

// The "Dados da Reserva" screen: seven entries typed one at a time on the on-screen keyboard.
class PKG_RES01400_EXPORT TfrmInclusaoReserva : public Forms::TForm {
    Q_OBJECT

public:
    explicit TfrmInclusaoReserva(QWidget* owner);
    ~TfrmInclusaoReserva() override;

    void InicializaForm(int inTipo, Dbclient::TClientDataSet* reserva);

    void FormCreate(QObject* Sender);
    void FormClose(QObject* Sender, Forms::TCloseAction& Action);

private:
    std::unique_ptr<Ui::TfrmInclusaoReserva> ui;
};
