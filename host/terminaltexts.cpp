#include "terminaltexts.h"

#include "hostlib/catalogue.h"

AnsiString TerminalCatalogueText(const char* key) {
    static const TextCatalogue catalogue =
        TextCatalogue::FromResource(QStringLiteral(":/host/texts/terminal.txt"));
    return catalogue.Msg(key);
}
