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
    dialog.Centre(false);
    return dialog.exec() == QDialog::Accepted;
}
