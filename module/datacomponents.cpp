#include "tfrminclusaoreserva.h"

#include "framework/data/db.h"
#include "framework/data/dbclient.h"
#include "hostlib/hostlib.h"

namespace {

using Db::TFieldType;

Dbclient::TClientDataSet* newDataSet(QObject* owner, const char* name) {
    auto* dataSet = new Dbclient::TClientDataSet(owner);
    dataSet->setObjectName(QString::fromLatin1(name));
    return dataSet;
}

Db::TDataSource* newDataSource(QObject* owner, const char* name,
                               Dbclient::TClientDataSet* dataSet) {
    auto* source = new Db::TDataSource(owner);
    source->setObjectName(QString::fromLatin1(name));
    source->SetDataSet(dataSet);
    return source;
}

Db::TField* addField(Dbclient::TClientDataSet* dataSet, const char* name, TFieldType type,
                     int size = 0) {
    Db::TField* field = dataSet->AddField(name, type, size);
    field->setObjectName(dataSet->objectName() + QString::fromLatin1(name));
    return field;
}

} // namespace

void TfrmInclusaoReserva::createDataComponents() {
    cdsReserva = newDataSet(this, "cdsReserva");
    cdsReservaDSRESMESA = addField(cdsReserva, "DSRESMESA", TFieldType::ftString, 30);
    cdsReservaDSRESMESA->SetReadOnly(true);
    cdsReservaNRRESMESA = addField(cdsReserva, "NRRESMESA", TFieldType::ftString, 10);
    cdsReservaCDFILIAL = addField(cdsReserva, "CDFILIAL", TFieldType::ftString, 4);
    cdsReservaCDLOJA = addField(cdsReserva, "CDLOJA", TFieldType::ftString, 10);
    cdsReservaDTRESMESA = addField(cdsReserva, "DTRESMESA", TFieldType::ftDateTime);
    cdsReservaHRINIRESMESA = addField(cdsReserva, "HRINIRESMESA", TFieldType::ftString, 4);
    cdsReservaHRINIRESMESA->SetEditMask("99:99;0; ");
    cdsReservaHRFINRESMESA = addField(cdsReserva, "HRFINRESMESA", TFieldType::ftString, 4);
    cdsReservaHRFINRESMESA->SetEditMask("99:99;0; ");
    cdsReservaNMRESMESA = addField(cdsReserva, "NMRESMESA", TFieldType::ftString, 50);
    cdsReservaNRTELRESMESA = addField(cdsReserva, "NRTELRESMESA", TFieldType::ftString, 25);
    cdsReservaNRPESRESMESA = addField(cdsReserva, "NRPESRESMESA", TFieldType::ftString, 3);
    cdsReservaIDSTRESMESA = addField(cdsReserva, "IDSTRESMESA", TFieldType::ftString, 1);
    cdsReservaIDSTRESMESA->OnGetText = [this](Db::TField* sender, AnsiString& text,
                                              bool displayText) {
        cdsReservaIDSTRESMESAGetText(sender, text, displayText);
    };
    cdsReservaCDOPERINCRES = addField(cdsReserva, "CDOPERINCRES", TFieldType::ftString, 12);
    cdsReservaDTHRINCLURES = addField(cdsReserva, "DTHRINCLURES", TFieldType::ftDate);

    const TextCatalogue displayLabels =
        TextCatalogue::FromResource(QStringLiteral(":/module/texts/fieldlabels.txt"));
    for (Db::TField* field : {cdsReservaNRRESMESA, cdsReservaDTRESMESA, cdsReservaHRINIRESMESA,
                              cdsReservaHRFINRESMESA, cdsReservaNMRESMESA, cdsReservaIDSTRESMESA}) {
        field->SetDisplayLabel(displayLabels.Msg(field->FieldName()));
    }

    cdsParametrosQuor = newDataSet(this, "cdsParametrosQuor");

    cdsReservaMesa = newDataSet(this, "cdsReservaMesa");
    addField(cdsReservaMesa, "NRRESMESA", TFieldType::ftString, 10);
    addField(cdsReservaMesa, "CDFILIAL", TFieldType::ftString, 4);
    addField(cdsReservaMesa, "CDLOJA", TFieldType::ftString, 10);
    addField(cdsReservaMesa, "DTRESMESA", TFieldType::ftDateTime);
    addField(cdsReservaMesa, "HRINIRESMESA", TFieldType::ftString, 4);
    addField(cdsReservaMesa, "HRFINRESMESA", TFieldType::ftString, 4);
    addField(cdsReservaMesa, "NMRESMESA", TFieldType::ftString, 50);
    addField(cdsReservaMesa, "NRTELRESMESA", TFieldType::ftString, 25);
    addField(cdsReservaMesa, "NRPESRESMESA", TFieldType::ftString, 3);
    addField(cdsReservaMesa, "CDOPERINCRES", TFieldType::ftString, 12);
    addField(cdsReservaMesa, "NMOPERADOR", TFieldType::ftString, 40);
    addField(cdsReservaMesa, "IDSTRESMESA", TFieldType::ftString, 1);
    addField(cdsReservaMesa, "DSRESMESA", TFieldType::ftString, 2000);

    cdsMesaDisp = newDataSet(this, "cdsMesaDisp");
    cdsMesaDisp->AddIndexDef("cdsMesaDispIndex1", "NRMESA");
    cdsMesaDisp->SetIndexName("cdsMesaDispIndex1");
    cdsMesaRes = newDataSet(this, "cdsMesaRes");
    cdsMesaRes->AddIndexDef("cdsMesaResIndex1", "NRMESA");
    cdsMesaRes->SetIndexName("cdsMesaResIndex1");

    dtsMesaDisp = newDataSource(this, "dtsMesaDisp", cdsMesaDisp);
    dtsMesaRes = newDataSource(this, "dtsMesaRes", cdsMesaRes);
    dtsReserva = newDataSource(this, "dtsReserva", nullptr);

    msgPadrao = new TMessages(this);
    msgPadrao->setObjectName(QStringLiteral("msgPadrao"));
    msgPadrao->LoadFromResource(QStringLiteral(":/module/texts/msgpadrao.txt"));
}

void TfrmInclusaoReserva::cdsReservaIDSTRESMESAGetText(Db::TField*, AnsiString& Text, bool) {
    // The form's own field decides, whichever field object raised the event.
    const AnsiString status = cdsReservaIDSTRESMESA->AsString();
    if (status == "P") {
        Text = msgPadrao->Msg("Pen");
    } else if (status == "C") {
        Text = msgPadrao->Msg("Can");
    } else if (status == "U") {
        Text = msgPadrao->Msg("Uti");
    } else {
        Text.clear();
    }
}
