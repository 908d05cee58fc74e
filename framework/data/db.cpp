#include "framework/data/db.h"
#include "framework/data/datapacketvalue.h"
#include "framework/data/dbclient.h"

namespace Db {

using Datapacket::TValue;

AnsiString FieldTypeName(TFieldType type) {
    static const char* const names[] = {
        "Unknown",  "String",  "WideString", "Smallint", "Integer",  "Word",
        "Largeint", "AutoInc", "Boolean",    "Float",    "Currency", "BCD",
        "Date",     "Time",    "DateTime",   "Memo",     "Blob"};
    return names[static_cast<int>(type)];
}

void DatabaseError(const AnsiString& message, const QObject* component) {
    if (component != nullptr && !component->objectName().isEmpty()) {
        throw EDatabaseError(FromQString(component->objectName()) + ": " + message);
    }
    throw EDatabaseError(message);
}

TField::TField(Dbclient::TClientDataSet* dataSet, const AnsiString& name, TFieldType type, int size)
    : QObject(dataSet), dataSet_(dataSet), fieldName_(name), dataType_(type), size_(size) {}

AnsiString TField::DisplayLabel() const {
    return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

const Datapacket::TColumn& TField::Column() const {
    return dataSet_->data_.columns[static_cast<std::size_t>(column_)];
}

void TField::CheckWritable() const {
    if (readOnly_) {
        DatabaseError("Field '" + fieldName_ + "' cannot be modified", dataSet_);
    }
    if (!dataSet_->Active() || column_ < 0) {
        DatabaseError("Cannot perform this operation on a closed dataset", dataSet_);
    }
    if (dataSet_->CurrentValue(column_) == nullptr) {
        DatabaseError("No current record", dataSet_);
    }
}

bool TField::IsNull() const {
    const TValue* value = dataSet_->CurrentValue(column_);
    return value == nullptr || std::holds_alternative<std::monostate>(*value);
}

AnsiString TField::AsString() const {
    const TValue* value = dataSet_->CurrentValue(column_);
    return value == nullptr ? AnsiString() : Datapacket::ValueToString(Column(), *value);
}

Sysutils::TDateTime TField::AsDateTime() const {
    const TValue* value = dataSet_->CurrentValue(column_);
    return value == nullptr ? 0 : Datapacket::ValueToDateTime(Column(), *value);
}

long long TField::AsInteger() const {
    const TValue* value = dataSet_->CurrentValue(column_);
    return value == nullptr ? 0 : Datapacket::ValueToInteger(Column(), *value);
}

double TField::AsFloat() const {
    const TValue* value = dataSet_->CurrentValue(column_);
    return value == nullptr ? 0 : Datapacket::ValueToFloat(Column(), *value);
}

bool TField::AsBoolean() const {
    const TValue* value = dataSet_->CurrentValue(column_);
    return value != nullptr && Datapacket::ValueToBoolean(Column(), *value);
}

void TField::SetAsString(const AnsiString& value) {
    CheckWritable();
    dataSet_->SetCurrentValue(column_, Datapacket::StringToValue(Column(), value));
}

void TField::SetAsDateTime(Sysutils::TDateTime value) {
    CheckWritable();
    dataSet_->SetCurrentValue(column_, Datapacket::DateTimeToValue(Column(), value));
}

void TField::SetAsInteger(long long value) {
    CheckWritable();
    dataSet_->SetCurrentValue(column_, Datapacket::IntegerToValue(Column(), value));
}

void TField::SetAsFloat(double value) {
    CheckWritable();
    dataSet_->SetCurrentValue(column_, Datapacket::FloatToValue(Column(), value));
}

void TField::SetAsBoolean(bool value) {
    CheckWritable();
    dataSet_->SetCurrentValue(column_, Datapacket::BooleanToValue(Column(), value));
}

void TField::Clear() {
    CheckWritable();
    dataSet_->SetCurrentValue(column_, TValue());
}

AnsiString TField::DisplayText() const {
    if (!OnGetText) {
        return AsString();
    }
    AnsiString text;
    OnGetText(const_cast<TField*>(this), text, true);
    return text;
}

TDataSource::TDataSource(QObject* owner) : QObject(owner) {}

Dbclient::TClientDataSet* TDataSource::DataSet() const {
    return dataSet_;
}

void TDataSource::SetDataSet(Dbclient::TClientDataSet* dataSet) {
    dataSet_ = dataSet;
}

} // namespace Db
