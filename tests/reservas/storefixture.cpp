#include "storefixture.h"

#include "collaborators/reservas.h"
#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "reservas/reservationstore.h"

StoreFixture::StoreFixture(const QDateTime& now) {
    Reservas::SetDatabaseFile(Folder.filePath(QStringLiteral("reservas.db")));
    SetNow(now);
    SetMensagemObserver([this](const MensagemCall& call) {
        Messages.push_back(call);
        return true;
    });
    Reservas::SetStoredObserver([this](const AnsiString& nrresmesa, const std::vector<int>&) {
        Stored.push_back(nrresmesa);
    });
}

StoreFixture::~StoreFixture() {
    Reservas::SetStoredObserver({});
    SetMensagemObserver({});
    Sysutils::SetClock({});
    Reservas::SetDatabaseFile({});
}

void StoreFixture::SetNow(const QDateTime& now) {
    Sysutils::SetClock([now] { return now; });
}

void HandOff::Run(Dbclient::TClientDataSet* reserva) const {
    CriaMesasReserva(Tipo, HrIni, HrFim, Telefone, DataDigitos, Data, Nome, Descricao, Pessoas,
                     reserva);
}

std::optional<AnsiString> RaisedBy(const std::function<void()>& action) {
    try {
        action();
    } catch (const Sysutils::Exception& error) {
        return error.Message();
    }
    return std::nullopt;
}

void PrepareReservation(Dbclient::TClientDataSet& dataset, const AnsiString& nrresmesa,
                        const AnsiString& cdfilial, const AnsiString& cdloja,
                        const AnsiString& cdoperincres) {
    Reservas::DefineReservationFields(dataset);
    dataset.CreateDataSet();
    dataset.Append();
    dataset.FieldByName("NRRESMESA")->SetAsString(nrresmesa);
    dataset.FieldByName("CDFILIAL")->SetAsString(cdfilial);
    dataset.FieldByName("CDLOJA")->SetAsString(cdloja);
    dataset.FieldByName("CDOPERINCRES")->SetAsString(cdoperincres);
    dataset.FieldByName("IDSTRESMESA")->SetAsString("P");
    dataset.Post();
}
