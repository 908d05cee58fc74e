#include "storetexts.h"

namespace Reservas {

const TextCatalogue& StoreTexts() {
    static const TextCatalogue catalogue =
        TextCatalogue::FromResource(QStringLiteral(":/reservas/store/texts/store.txt"));
    return catalogue;
}

} // namespace Reservas
