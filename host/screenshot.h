#pragma once

#include <QString>
#include <optional>

// Arranges for the next screen the module shows to be saved to file as a PNG and closed.
// Returns at once; the result is known once the screen has closed: why it was not saved, or
// nothing. Only a regular file, or a path where one is still to be made, is written.
void CaptureNextScreen(const QString& file);
std::optional<QString> ScreenshotFailure();
