#include "reservas/packagetexts.h"

#include "collaborators/hostlib/catalogue.h"

namespace Reservas {

AnsiString CatalogueText(const char* key) {
    static const TextCatalogue catalogue =
        TextCatalogue::FromResource(QStringLiteral(":/reservas/texts/reservas.txt"));
    return catalogue.Msg(key);
}

} // namespace Reservas
