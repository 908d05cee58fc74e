#pragma once

#include "framework/sysutils.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace Reservas {

// Raised, with the text of a lost server, by the first statement of an operation when the
// connection kept from an earlier one turned out dead before anything was answered: the
// database thread then runs the operation once more on a fresh connection. Safe, since every
// operation starts with a reading, the start of a transaction, or a booking that finds itself
// stored by its hand-off identity.
class StaleConnection : public Sysutils::Exception {
public:
    using Sysutils::Exception::Exception;
};

// Runs work on the thread that keeps this program's database connections, and waits for it no
// longer than the deadline (SetDatabaseDeadline). Meanwhile a screen keeps painting, shows the
// hourglass and drops the taps and keys made while it waits, so that none of them runs later
// against a screen the operator no longer sees. Raises what work raised. Past the deadline it
// raises a text that says the database did not answer; the thread is given up (its connection
// to a server cut), and the next call starts on a fresh thread with a fresh connection. work
// must own everything it uses: once given up on, it may still run after the call returned.
// Called on that thread itself, work simply runs.
void RunOnDatabaseThread(std::function<void()> work);

template <typename Work> std::invoke_result_t<Work&> OnDatabaseThread(Work work) {
    using Result = std::invoke_result_t<Work&>;
    if constexpr (std::is_void_v<Result>) {
        RunOnDatabaseThread(std::move(work));
    } else {
        auto result = std::make_shared<std::optional<Result>>();
        RunOnDatabaseThread(
            [work = std::move(work), result]() mutable { result->emplace(work()); });
        return std::move(**result);
    }
}

// Called before every statement: the work of a thread given up on ends quietly there.
void StopIfGivenUp();

// Told by the connection code running on the database thread: the socket of its connection to
// a server (-1 once it is closed), cut off when the thread is given up.
void NoteServerSocket(int socket);

// Run by the database thread as it ends: closes the server connection it kept.
void CloseKeptConnection();

} // namespace Reservas
