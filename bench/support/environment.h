#pragma once

namespace Bench {

// Before the application object: no display, and the fonts file the screen is drawn with, as
// the suites run; a value already set is kept.
void PrepareEnvironment();

} // namespace Bench
