#include "storesetup.h"

#include "framework/data/dbclient.h"
#include "framework/datetime.h"
#include "framework/events.h"
#include "host/reservationdataset.h"
#include "hostlib/mensagem.h"
#include "reservas/hooks.h"

#include <algorithm>

namespace Bench {

StoreSetup::StoreSetup(int tablesPicked) {
    Reservas::SetDatabaseLocation(Folder.filePath(QStringLiteral("reservas.db")));
    Sysutils::SetClock([] { return QDateTime(QDate(2026, 1, 5), QTime(10, 0)); });
    SetMensagemObserver([this](const MensagemCall&) {
        ++Messages;
        return true;
    });
    Forms::SetExceptionHandler([this](const AnsiString& message, const AnsiString& detail) {
        Errors.push_back(message.empty() ? detail : message);
    });
    Reservas::SetStoredObserver([this](const AnsiString&, const std::vector<int>&) {
        ++Stored;
        if (OnStored) {
            OnStored();
        }
    });
    Reservas::SetTablePicker([tablesPicked](const Reservas::TableChoice& choice) {
        std::vector<int> picked;
        for (const Reservas::RestaurantTable& table : choice.Tables) {
            const bool taken = std::find(choice.Taken.begin(), choice.Taken.end(), table.Number) !=
                               choice.Taken.end();
            if (!taken && static_cast<int>(picked.size()) < tablesPicked) {
                picked.push_back(table.Number);
            }
        }
        return std::optional(picked);
    });
}

StoreSetup::~StoreSetup() {
    Reservas::SetTablePicker({});
    Reservas::SetStoredObserver({});
    Forms::SetExceptionHandler({});
    SetMensagemObserver({});
    Sysutils::SetClock({});
    Reservas::SetDatabaseLocation({});
}

QDate ReservationDay(int sample) {
    return QDate(2026, 2, 1).addDays(sample);
}

std::unique_ptr<Dbclient::TClientDataSet> NewReservationDataset() {
    auto dataset = std::make_unique<Dbclient::TClientDataSet>();
    PrepareNewReservation(*dataset);
    return dataset;
}

} // namespace Bench
