#include "framework/events.h"

#include "framework/data/db.h"
#include "framework/sysutils.h"

#include <QMessageBox>
#include <QPointer>
#include <utility>
#include <vector>

namespace Forms {

namespace {

int depth = 0;
TExceptionEvent exceptionHandler;

struct PendingAction {
    QPointer<QObject> context;
    std::function<void()> action;
};
std::vector<PendingAction> pendingActions;

void runPendingActions() {
    auto actions = std::exchange(pendingActions, {});
    for (auto& pending : actions) {
        if (pending.context) {
            HandleEvent(pending.action);
        }
    }
}

} // namespace

void HandleEvent(const std::function<void()>& handler) noexcept {
    ++depth;
    try {
        handler();
    } catch (const Sysutils::EAbort&) {
        // The silent abort ends the event without a word.
    } catch (const std::exception& error) {
        try {
            ShowException(error);
        } catch (...) {
            // An error display that fails itself has nowhere left to report to.
        }
    } catch (...) {
        try {
            ShowException({}, "an error that gives no description");
        } catch (...) {
        }
    }
    --depth;
    if (depth == 0 && !pendingActions.empty()) {
        runPendingActions();
    }
}

int HandlerDepth() noexcept {
    return depth;
}

void AfterHandlers(QObject* context, std::function<void()> action) {
    if (depth == 0) {
        HandleEvent(action);
        return;
    }
    pendingActions.push_back({context, std::move(action)});
}

void SetExceptionHandler(TExceptionEvent handler) {
    exceptionHandler = std::move(handler);
}

ErrorReport ReportOf(const std::exception& error) {
    // The framework's own errors name dates, fields and datasets in a developer's words.
    if (dynamic_cast<const Sysutils::EDateTimeError*>(&error) != nullptr ||
        dynamic_cast<const Db::EDatabaseError*>(&error) != nullptr) {
        return {{}, AnsiString(error.what())};
    }
    if (const auto* ours = dynamic_cast<const Sysutils::Exception*>(&error)) {
        return {ours->Message(), ours->Detail()};
    }
    return {{}, AnsiString(error.what())};
}

void ShowException(const std::exception& error) {
    const ErrorReport report = ReportOf(error);
    ShowException(report.Message, report.Detail);
}

void ShowException(const AnsiString& message, const AnsiString& detail) {
    if (exceptionHandler) {
        exceptionHandler(message, detail);
    } else {
        ShowErrorDialog(message.empty() ? detail : message);
    }
}

void ShowErrorDialog(const AnsiString& message) {
    QMessageBox box(QMessageBox::Critical, QString(), ToQString(message), QMessageBox::Ok);
    box.exec();
}

} // namespace Forms
