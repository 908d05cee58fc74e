#include "hostlib/mensagem.h"

#include "messagedialog.h"

#include <QApplication>
#include <QTimer>
#include <utility>

namespace {

MensagemObserver& currentObserver() {
    static MensagemObserver observer;
    return observer;
}

bool isYes(const AnsiString& flag) {
    return flag == "S" || flag == "s";
}

} // namespace

void SetMensagemObserver(MensagemObserver observer) {
    currentObserver() = std::move(observer);
}

void Mensagem(const AnsiString& text, const AnsiString& title, const AnsiString& beep,
              const AnsiString& centreOnScreen, TTipoMsg kind, const AnsiString& detail,
              const AnsiString& schemeId, int autoCloseSeconds, Dbclient::TClientDataSet* dataSet) {
    const MensagemCall call{
        text, title, beep, centreOnScreen, kind, detail, schemeId, autoCloseSeconds, dataSet};
    // A copy, so an observer may replace itself while it runs.
    const MensagemObserver observer = currentObserver();
    if (observer && observer(call)) {
        return;
    }

    MessageDialog dialog(call, QApplication::activeWindow());
    dialog.Centre(isYes(centreOnScreen));
    if (isYes(beep)) {
        QApplication::beep();
    }
    if (autoCloseSeconds > 0) {
        QTimer::singleShot(autoCloseSeconds * 1000, &dialog, &QDialog::accept);
    }
    dialog.exec();
}
