#include "storefixture.h"

#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "hostlib/pergunta.h"
#include "reservas/hooks.h"
#include "reservas/reservas.h"
#include "reservas/store.h"

StoreFixture::StoreFixture(const QDateTime& now) {
    Reservas::SetDatabaseLocation(Database.Location());
    // On a server the administrator prepares the database before any terminal uses it.
    if (TestDatabase::OnServer()) {
        Reservas::PrepareDatabaseAsOwner();
    }
    SetNow(now);
    SetMensagemObserver([this](const MensagemCall& call) {
        Messages.push_back(call);
        return true;
    });
    SetPerguntaObserver([this](const AnsiString& text) {
        Questions.push_back(text);
        return std::optional(Answer);
    });
    Reservas::SetStoredObserver([this](const AnsiString& nrresmesa, const std::vector<int>& mesas) {
        Stored.push_back(nrresmesa);
        Held.push_back(mesas);
    });
    Reservas::SetTablePicker([this](const Reservas::TableChoice& choice) {
        Choices.push_back(choice);
        // A package that kept offering the grid would otherwise hold the suite until its timeout.
        constexpr std::size_t patience = 20;
        if (Choices.size() > patience) {
            return std::optional<std::vector<int>>();
        }
        if (Picks.empty()) {
            return std::optional(std::vector<int>());
        }
        const std::optional<std::vector<int>> pick = Picks.front();
        Picks.erase(Picks.begin());
        if (BeforeStoring) {
            BeforeStoring();
        }
        return pick;
    });
}

StoreFixture::~StoreFixture() {
    Reservas::SetTablePicker({});
    Reservas::SetStoredObserver({});
    SetPerguntaObserver({});
    SetMensagemObserver({});
    Sysutils::SetClock({});
    Reservas::SetDatabaseLocation({});
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
