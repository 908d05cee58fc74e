#include "daylist/outsidehandlers.h"

#include "framework/events.h"

#include <QTimer>
#include <exception>

void RunOutsideHandlers(QObject* context, std::function<void()> action) {
    QTimer::singleShot(0, context, [action = std::move(action)] {
        try {
            try {
                action();
            } catch (const std::exception& error) {
                Forms::ShowException(error);
            } catch (...) {
                Forms::ShowException({}, {});
            }
        } catch (...) {
            // An error display that fails itself has nowhere left to report to.
        }
    });
}
