#include "hostlib/hosttexts.h"

#include "collaborators/hostlib/catalogue.h"

#include <QFile>

AnsiString HostText(const AnsiString& key) {
    static TMessages catalogue;
    if (catalogue.Lines().empty()) {
        QFile file(QStringLiteral(":/hostlib/texts/hostlib.txt"));
        if (file.open(QIODevice::ReadOnly)) {
            catalogue.LoadFromLatin1(file.readAll());
        }
    }
    return catalogue.Msg(key);
}
