#include "reservas/handoff.h"

#include "collaborators/hostlib/mensagem.h"
#include "collaborators/hostlib/parameters.h"
#include "collaborators/reservas.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "framework/screen.h"
#include "reservas/handoffinput.h"
#include "reservas/packagetexts.h"
#include "reservas/reservationtable.h"

namespace Reservas {

namespace {

TStoredObserver storedObserver;

// The dataset's value of a field it may not have.
AnsiString fieldText(Dbclient::TClientDataSet* dataset, const char* name) {
    if (dataset == nullptr) {
        return {};
    }
    const Db::TField* field = dataset->FindField(name);
    return field != nullptr ? field->AsString() : AnsiString();
}

AnsiString insertNew(StoredReservation reservation, Dbclient::TClientDataSet* reserva) {
    reservation.IDSTRESMESA = "P";
    reservation.CDFILIAL = fieldText(reserva, "CDFILIAL");
    reservation.CDLOJA = fieldText(reserva, "CDLOJA");
    reservation.CDOPERINCRES = fieldText(reserva, "CDOPERINCRES");
    reservation.DTHRINCLURES = Sysutils::DecodeDateTime(Sysutils::Date()).date();
    return InsertReservation(reservation);
}

AnsiString updateCurrent(StoredReservation reservation, Dbclient::TClientDataSet* reserva) {
    reservation.NRRESMESA = FromQString(ToQString(fieldText(reserva, "NRRESMESA")).trimmed());
    if (reservation.NRRESMESA.empty()) {
        Raise("RESERVA_SEM_NR");
    }
    if (!UpdateReservation(reservation)) {
        Raise("RESERVA_INEXISTENTE", reservation.NRRESMESA);
    }
    return reservation.NRRESMESA;
}

// The hourglass while the database may keep the operator waiting on another terminal; the
// cursor shown before comes back however the wait ends.
class HourGlass {
public:
    HourGlass() : previous_(Forms::Screen->Cursor()) {
        Forms::Screen->SetCursor(Forms::crHourGlass);
    }
    ~HourGlass() { Forms::Screen->SetCursor(previous_); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    Forms::TCursor previous_;
};

AnsiString storeEntered(int tipo, const StoredReservation& entered,
                        Dbclient::TClientDataSet* reserva) {
    const HourGlass waiting;
    return tipo == EditReservation ? updateCurrent(entered, reserva) : insertNew(entered, reserva);
}

void store(int tipo, const HandOffTexts& texts, Dbclient::TClientDataSet* reserva) {
    const AnsiString nrresmesa = storeEntered(tipo, ReadHandOff(texts), reserva);
    if (storedObserver) {
        storedObserver(nrresmesa, {});
    }
    Mensagem(Text("GRAVADA", nrresmesa), "", "N", "N", tmNotice, "", DisplayScheme(), 0, nullptr);
}

} // namespace

void SetStoredObserver(TStoredObserver observer) {
    storedObserver = std::move(observer);
}

// The typed date digits are not read: the shown date carries the same day on every road.
void StoreHandOff(int tipo, const AnsiString& hrIni, const AnsiString& hrFim,
                  const AnsiString& telefone, const AnsiString& /*dataDigitos*/,
                  const AnsiString& data, const AnsiString& nome, const AnsiString& descricao,
                  const AnsiString& pessoas, Dbclient::TClientDataSet* reserva) {
    try {
        store(tipo, {hrIni, hrFim, telefone, data, nome, descricao, pessoas}, reserva);
    } catch (const Sysutils::Exception&) {
        throw;
    } catch (const std::exception& error) {
        Raise("ERRO_GRAVAR", AnsiString(error.what()));
    }
}

} // namespace Reservas
