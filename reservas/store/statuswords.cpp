#include "reservas/store.h"
#include "storetexts.h"

namespace Reservas {

AnsiString StatusWord(const AnsiString& code) {
    if (code == "P") {
        return Text("SIT_PENDENTE");
    }
    if (code == "C") {
        return Text("SIT_CANCELADA");
    }
    if (code == "U") {
        return Text("SIT_UTILIZADA");
    }
    if (code == "N") {
        return Text("SIT_NAO_VEIO");
    }
    return {};
}

} // namespace Reservas
