#include "hosttexts.h"

#include "hostlib/catalogue.h"

AnsiString HostText(const AnsiString& key) {
    static const TextCatalogue catalogue =
        TextCatalogue::FromResource(QStringLiteral(":/hostlib/texts/hostlib.txt"));
    return catalogue.Msg(key);
}
