#include "hostlib/pergunta.h"

#include "questiondialog.h"

#include <QApplication>
#include <utility>

namespace {

PerguntaObserver& currentObserver() {
    static PerguntaObserver observer;
    return observer;
}

} // namespace

void SetPerguntaObserver(PerguntaObserver observer) {
    currentObserver() = std::move(observer);
}

bool Pergunta(const AnsiString& text, const AnsiString& schemeId) {
    // A copy, so an observer may replace itself while it runs.
    const PerguntaObserver observer = currentObserver();
    if (observer) {
        if (const std::optional<bool> answer = observer(text)) {
            return *answer;
        }
    }
    QuestionDialog dialog(text, schemeId, QApplication::activeWindow());
    // Frameless, so never read on the screen: it names the dialog for a window list or a test.
    dialog.setWindowTitle(QStringLiteral("Pergunta"));
    dialog.Centre(false);
    return dialog.exec() == QDialog::Accepted;
}
