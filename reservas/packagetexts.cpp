#include "packagetexts.h"

namespace Reservas {

const TextCatalogue& PackageTexts() {
    static const TextCatalogue catalogue =
        TextCatalogue::FromResource(QStringLiteral(":/reservas/texts/reservas.txt"));
    return catalogue;
}

} // namespace Reservas
