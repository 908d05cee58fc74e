#include "reservas/packagetexts.h"

#include "collaborators/hostlib/catalogue.h"

#include <QFile>

namespace Reservas {

AnsiString CatalogueText(const char* key) {
    static TMessages catalogue;
    if (catalogue.Lines().empty()) {
        QFile file(QStringLiteral(":/reservas/texts/reservas.txt"));
        file.open(QIODevice::ReadOnly);
        catalogue.LoadFromLatin1(file.readAll());
    }
    return catalogue.Msg(key);
}

} // namespace Reservas
