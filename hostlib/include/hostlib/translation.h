#pragma once

#include "hostlib/hostlib_export.h"

class QWidget;

// Translates the window title of the form and the "Caption" property of every object it owns
// through the installed translators, with the form's class name as context.
// Texts without a translation stay as they are; a null form is ignored.
HOSTLIB_EXPORT void Trad(QWidget* form);
