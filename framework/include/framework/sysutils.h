#pragma once

#include "framework/ansistring.h"
#include "framework/framework_export.h"

#include <exception>

namespace Sysutils {

// Root of every error the framework and the modules raise; its message is shown as is. The
// detail, when there is one, is what only an administrator can use (a driver's own words, an
// error code): journalled and printed, never put on the operator's screen.
class FRAMEWORK_EXPORT Exception : public std::exception {
public:
    explicit Exception(AnsiString message, AnsiString detail = {});
    const char* what() const noexcept override;
    const AnsiString& Message() const noexcept { return message_; }
    const AnsiString& Detail() const noexcept { return detail_; }

private:
    AnsiString message_;
    AnsiString detail_;
};

// The silent abort: ends the current event without any message.
class FRAMEWORK_EXPORT EAbort : public Exception {
public:
    using Exception::Exception;
};

// A text that is no date or time of day, or a date and time that does not exist.
class FRAMEWORK_EXPORT EDateTimeError : public Exception {
public:
    using Exception::Exception;
};

[[noreturn]] FRAMEWORK_EXPORT void Abort();

// Only A-Z and a-z change case; every other byte passes unchanged.
FRAMEWORK_EXPORT AnsiString UpperCase(const AnsiString& text);
FRAMEWORK_EXPORT AnsiString LowerCase(const AnsiString& text);

// Replaces the first "%s" of format with argument; "%%" is a literal "%". The argument is
// never read as a format.
FRAMEWORK_EXPORT AnsiString Format(const AnsiString& format, const AnsiString& argument);

} // namespace Sysutils
