#include "host/journal.h"

#include "collaborators/hostlib.h"
#include "collaborators/reservas.h"
#include "framework/events.h"

#include <QJsonDocument>

namespace {

Journal* attached = nullptr;
TCriaMesasReserva packageHandOff = nullptr;

QString text(const AnsiString& latin1) {
    return ToQString(latin1);
}

void journalingHandOff(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                       const AnsiString& telefone, const AnsiString& dataDigitos,
                       const AnsiString& data, const AnsiString& nome, const AnsiString& descricao,
                       const AnsiString& pessoas, Dbclient::TClientDataSet* reserva) {
    if (attached != nullptr) {
        attached->write({{"event", "handoff"},
                         {"tipo", tipo},
                         {"hrIni", text(hrIni)},
                         {"hrFim", text(hrFim)},
                         {"telefone", text(telefone)},
                         {"dataDigitos", text(dataDigitos)},
                         {"data", text(data)},
                         {"nome", text(nome)},
                         {"descricao", text(descricao)},
                         {"pessoas", text(pessoas)}});
    }
    packageHandOff(tipo, hrIni, hrFim, telefone, dataDigitos, data, nome, descricao, pessoas,
                   reserva);
}

} // namespace

bool Journal::open(const QString& file) {
    file_.setFileName(file);
    return file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void Journal::write(const QJsonObject& event) {
    if (!file_.isOpen()) {
        return;
    }
    file_.write(QJsonDocument(event).toJson(QJsonDocument::Compact));
    file_.write("\n");
    file_.flush();
}

void Journal::attach() {
    attached = this;
    Forms::SetExceptionHandler([this](const AnsiString& message) {
        write({{"event", "error"}, {"text", text(message)}});
        Forms::ShowErrorDialog(message);
    });
    SetMensagemObserver([this](const MensagemCall& call) {
        write({{"event", "message"}, {"text", text(call.Text)}, {"scheme", text(call.SchemeId)}});
        return false;
    });
    if (CriaMesasReserva != &journalingHandOff) {
        packageHandOff = CriaMesasReserva;
        CriaMesasReserva = &journalingHandOff;
    }
}
