#include "daylist/outsidehandlers.h"

#include "framework/events.h"
#include "terminaltexts.h"

#include <QTimer>
#include <exception>

namespace {

// An error without a text of its own (nullptr) is shown as an unknown one.
void showError(const char* what) noexcept {
    try {
        Forms::ShowException(what != nullptr ? AnsiString(what)
                                             : TerminalText("ERRO_DESCONHECIDO"));
    } catch (...) {
        // An error display that fails itself has nowhere left to report to.
    }
}

} // namespace

void RunOutsideHandlers(QObject* context, std::function<void()> action) {
    QTimer::singleShot(0, context, [action = std::move(action)] {
        try {
            action();
        } catch (const std::exception& error) {
            showError(error.what());
        } catch (...) {
            showError(nullptr);
        }
    });
}
