#pragma once

#include "framework/ansistring.h"
#include "hostlib/hostlib_export.h"

namespace Dbclient {
class TClientDataSet;
}

// The terminal's parameters file, PARAMETROSQUOR.CDS beside the running program (a copy from
// Windows may carry the name in another letter case), names the display scheme (IDESQUEMA) in
// which every screen of the terminal shows its messages; see Mensagem's schemeId.

// The file is read once, on first use, and what it gave serves every later use in the run,
// a file that could not be read included.

// Loads the parameters file into parameters and returns its scheme; empty, and parameters left
// alone, when there is no such file. A file that cannot be read, or has no IDESQUEMA, raises
// Db::EDatabaseError.
HOSTLIB_EXPORT AnsiString LoadDisplayScheme(Dbclient::TClientDataSet& parameters);

// The same for whoever must not fail on it: the default scheme (empty) when the file is bad.
HOSTLIB_EXPORT AnsiString DisplayScheme() noexcept;

// Makes the next use read the file again, for a file replaced while the program runs.
HOSTLIB_EXPORT void ForgetParametersFile();
