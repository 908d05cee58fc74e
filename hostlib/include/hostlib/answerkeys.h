#pragma once

#include "hostlib/hostlib_export.h"

#include <functional>

class QKeyEvent;

// The keys every touch dialog of the terminal answers by: Enter says yes, Esc says no. A key
// still held from the window below (auto-repeated) answers nothing, so that no dialog is
// answered unseen. False for any other key, which the dialog takes itself.
HOSTLIB_EXPORT bool AnswerKey(const QKeyEvent& event, const std::function<void()>& yes,
                              const std::function<void()>& no);
