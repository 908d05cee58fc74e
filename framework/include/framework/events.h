#pragma once

#include "framework/ansistring.h"
#include "framework/framework_export.h"

#include <QObject>
#include <cstdint>
#include <exception>
#include <functional>

namespace Forms {

using WORD = std::uint16_t;

// The modifier set handed to key events.
enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = unsigned;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TNotifyEvent = std::function<void(QObject* sender)>;
using TCloseEvent = std::function<void(QObject* sender, TCloseAction& action)>;
using TKeyEvent = std::function<void(QObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(QObject* sender, char& key)>;

// Runs one event handler the way the framework's message dispatch does: the silent abort is
// dropped, any other exception is shown through ShowException, and nothing leaves the call.
FRAMEWORK_EXPORT void HandleEvent(const std::function<void()>& handler) noexcept;

// How many guarded handlers are running now (0 while the event loop waits).
FRAMEWORK_EXPORT int HandlerDepth() noexcept;

// Runs once the outermost guarded handler has returned (at once when none is running).
FRAMEWORK_EXPORT void AfterHandlers(QObject* context, std::function<void()> action);

// Errors the framework shows. A host or a test may take them over; with no handler set they
// go to the framework's own error dialog. The message is the error's own words for the
// operator, empty when the error has none (the framework's and the C++ library's own errors
// speak to a developer); the detail is for the administrator (Sysutils::Exception::Detail, or
// those other errors' own text).
using TExceptionEvent = std::function<void(const AnsiString& message, const AnsiString& detail)>;
FRAMEWORK_EXPORT void SetExceptionHandler(TExceptionEvent handler);
FRAMEWORK_EXPORT void ShowException(const AnsiString& message, const AnsiString& detail = {});
FRAMEWORK_EXPORT void ShowErrorDialog(const AnsiString& message);

// The same split for an error caught anywhere: the words for the operator (empty when the
// error has none) and the detail for the administrator.
struct ErrorReport {
    AnsiString Message;
    AnsiString Detail;
};
FRAMEWORK_EXPORT ErrorReport ReportOf(const std::exception& error);
// Shows an error caught outside HandleEvent as HandleEvent would.
FRAMEWORK_EXPORT void ShowException(const std::exception& error);

} // namespace Forms
