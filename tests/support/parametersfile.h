#pragma once

#include "framework/data/db.h"
#include "framework/data/dbclient.h"

#include <QString>

// Saves a parameters file whose first row holds value in field; a second row holds "9", so a
// reader that takes the wrong row is seen.
inline void WriteParametersFile(const QString& path, const char* field, const AnsiString& value) {
    Dbclient::TClientDataSet parameters;
    parameters.AddFieldDef("CDFILIAL", Db::TFieldType::ftString, 4);
    parameters.AddFieldDef(field, Db::TFieldType::ftString, 10);
    parameters.CreateDataSet();
    for (const AnsiString& row : {value, AnsiString("9")}) {
        parameters.Append();
        parameters.FieldByName(field)->SetAsString(row);
        parameters.Post();
    }
    parameters.SaveToFile(path);
}
