#pragma once

#include "framework/data/db.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <optional>

// What every fuzz target shares: an input ends in a value or a clear EDatabaseError, and
// anything else is a finding.
namespace Fuzz {

// libFuzzer's bytes in a QByteArray of their own, as a file's bytes arrive from QFile.
QByteArray InputBytes(const std::uint8_t* data, std::size_t size);

// The call's value, or nothing when it raises EDatabaseError. Any other exception leaves the
// target, and libFuzzer reports it as a crash.
template <class Call> auto ValueOrRefusal(const Call& call) -> std::optional<decltype(call())> {
    try {
        return call();
    } catch (const Db::EDatabaseError&) {
        return std::nullopt;
    }
}

// Reports what went wrong on standard error and aborts, so that libFuzzer keeps the input.
[[noreturn]] void Finding(const QByteArray& what);

} // namespace Fuzz
