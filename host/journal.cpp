#include "journal.h"

#include "framework/datetime.h"
#include "framework/events.h"
#include "hostlib/hostlib.h"
#include "regularfile.h"
#include "reservas/reservas.h"

#include <QJsonDocument>
#include <cstdio>

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
    name_ = file;
    file_.setFileName(file);
    // Unbuffered, so that each line reaches the file, or fails, as it is written.
    QString reason;
    switch (OpenRegularFile(
        file_, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered,
        FileUse::Journal, reason)) {
    case FileOpening::Opened:
        return true;
    case FileOpening::Refused:
        errorText_ = reason;
        return false;
    case FileOpening::Missing:
    case FileOpening::Failed:
        break;
    }
    errorText_ = QStringLiteral("cannot write the journal %1: %2").arg(file, reason);
    return false;
}

void Journal::write(QJsonObject event) {
    if (!file_.isOpen()) {
        return;
    }
    event.insert(QStringLiteral("ts"), Sysutils::DecodeDateTime(Sysutils::Now())
                                           .toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")));
    event.insert(QStringLiteral("terminal"), terminal_);
    const QByteArray line = QJsonDocument(event).toJson(QJsonDocument::Compact) + '\n';
    if (file_.write(line) == line.size() || failureReported_) {
        return;
    }
    failureReported_ = true;
    std::fprintf(stderr, "cannot write the journal %s: %s\n", qPrintable(name_),
                 qPrintable(file_.errorString()));
}

void Journal::attach() {
    attached = this;
    Forms::SetExceptionHandler([this](const AnsiString& message) {
        write({{"event", "error"}, {"text", text(message)}});
        Forms::ShowErrorDialog(message);
    });
    SetMensagemObserver([this](const MensagemCall& call) {
        QJsonObject event{
            {"event", "message"}, {"text", text(call.Text)}, {"scheme", text(call.SchemeId)}};
        if (!call.Detail.empty()) {
            event.insert(QStringLiteral("detail"), text(call.Detail));
        }
        write(event);
        return false;
    });
    if (CriaMesasReserva != &journalingHandOff) {
        packageHandOff = CriaMesasReserva;
        CriaMesasReserva = &journalingHandOff;
    }
}
