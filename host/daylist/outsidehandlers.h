#pragma once

#include <QObject>
#include <functional>

// Runs action from the event loop once the handler asking for it has returned, outside every
// guarded handler, and shows whatever it raises as the framework guard would. A form opened
// from there hands the keyboard back after its own dialogs, as it does when a host opens it:
// that waits for the outermost guarded handler to return. Dropped if context goes first.
void RunOutsideHandlers(QObject* context, std::function<void()> action);
