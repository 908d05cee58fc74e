#include "printday.h"

#include "daylist/dayprinting.h"
#include "journal.h"
#include "terminaltexts.h"

#include <QFileInfo>
#include <cstdio>

bool PrintDayToFile(const QDate& day, const QString& file, int dinnerFrom, Journal& journal) {
    try {
        WriteDayPdf(file, ReadDayContents(day), dinnerFrom);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(ConsoleErrorText(error)));
        return false;
    }
    journal.write({{"event", "printed"}, {"file", QFileInfo(file).absoluteFilePath()}});
    return true;
}
