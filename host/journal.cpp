#include "journal.h"

#include "framework/datetime.h"
#include "framework/events.h"
#include "hostlib/hostlib.h"
#include "hostlib/parameters.h"
#include "regularfile.h"
#include "reservas/reservas.h"
#include "terminaltexts.h"

#include <QJsonDocument>
#include <QScopeGuard>
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
    Forms::SetExceptionHandler([this](const AnsiString& message, const AnsiString& detail) {
        showError(message, detail);
    });
    SetMensagemObserver([this](const MensagemCall& call) {
        if (showingError_) {
            return false;
        }
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

// The operator reads the error's own words, or a plain Portuguese sentence when it has none, in
// the same touch dialog as every other message; what only an administrator can use goes to the
// journal, or to standard error (the session's log) when the terminal keeps none.
void Journal::showError(const AnsiString& message, const AnsiString& detail) {
    const AnsiString shown = message.empty() ? TerminalText("ERRO_INTERNO") : message;
    QJsonObject event{{"event", "error"}, {"text", text(shown)}};
    if (!detail.empty()) {
        event.insert(QStringLiteral("detail"), text(detail));
    }
    if (file_.isOpen()) {
        write(event);
    } else {
        std::fprintf(stderr, "%s\n",
                     QJsonDocument(event).toJson(QJsonDocument::Compact).constData());
    }
    showingError_ = true;
    const auto shownOnce = qScopeGuard([this] { showingError_ = false; });
    Mensagem(shown, "", "S", "N", tmError, "", DisplayScheme(), 0, nullptr);
}
