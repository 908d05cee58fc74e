#pragma once

#include "daylist/daycontents.h"

#include <QString>

class QPagedPaintDevice;
class QPrinterInfo;

// The day on A4 paper: the day's heading and covers, a table of its reservations (as many pages
// as it takes, the column headings on each), then the timeline turned on a page of its own. In
// the light scheme whatever the screen's: paper is white.
void PaintDay(QPagedPaintDevice& device, const DayContents& day, int dinnerFrom);

// Writes the day as a PDF to file, a regular file. Raises Sysutils::Exception when it cannot:
// the reason in Portuguese, the system's own words as its detail.
void WriteDayPdf(const QString& file, const DayContents& day, int dinnerFrom);

// Sends the day to printer; raises the same way when the printer refuses it.
void PrintDayOn(const QPrinterInfo& printer, const DayContents& day, int dinnerFrom);
