#include "terminaltexts.h"

#include "framework/events.h"
#include "hostlib/catalogue.h"

AnsiString TerminalCatalogueText(const char* key) {
    static const TextCatalogue catalogue =
        TextCatalogue::FromResource(QStringLiteral(":/host/texts/terminal.txt"));
    return catalogue.Msg(key);
}

QString ConsoleErrorText(const std::exception& error) {
    const Forms::ErrorReport report = Forms::ReportOf(error);
    if (report.Message.empty()) {
        return ToQString(report.Detail);
    }
    if (report.Detail.empty()) {
        return ToQString(report.Message);
    }
    return QStringLiteral("%1 (%2)").arg(ToQString(report.Message), ToQString(report.Detail));
}
