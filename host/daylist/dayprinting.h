#pragma once

#include "daylist/daycontents.h"

#include <QString>
#include <optional>

class QPagedPaintDevice;
class QPrinterInfo;

// The day on A4 paper: the day's heading and covers, a table of its reservations (as many pages
// as it takes, the column headings on each), then the timeline turned on a page of its own. In
// the light scheme whatever the screen's: paper is white.
void PaintDay(QPagedPaintDevice& device, const DayContents& day, int dinnerFrom);

// Writes the day as a PDF to file, a regular file; the reason, in Portuguese, when it cannot.
std::optional<QString> WriteDayPdf(const QString& file, const DayContents& day, int dinnerFrom);

// Sends the day to printer; the reason when it cannot.
std::optional<QString> PrintDayOn(const QPrinterInfo& printer, const DayContents& day,
                                  int dinnerFrom);
