#pragma once

#include <QString>

// Arranges for the next screen the module shows to be saved to file as a PNG and closed.
// Returns at once; the result is known once the screen has closed (see screenshotSaved()).
void CaptureNextScreen(const QString& file);
bool ScreenshotSaved();
