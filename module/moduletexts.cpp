#include "moduletexts.h"

#include "hostlib/catalogue.h"

AnsiString ModuleText(const AnsiString& key) {
    static const TextCatalogue texts =
        TextCatalogue::FromResource(QStringLiteral(":/module/texts/moduletexts.txt"));
    return texts.Msg(key);
}
