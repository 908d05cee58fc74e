#include "framework/data/db.h"
#include "framework/data/datapacketvalue.h"
#include "framework/data/dbclient.h"

namespace Db {

using Datapacket::TValue;

AnsiString DescribeFieldType(TFieldType type) {
    switch (type) {
    case TFieldType::ftString:
        return "text";
    case TFieldType::ftWideString:
        return "Unicode text";
    case TFieldType::ftSmallint:
        return "a 16-bit whole number";
    case TFieldType::ftInteger:
        return "a 32-bit whole number";
    case TFieldType::ftWord:
        return "an unsigned 16-bit whole number";
    case TFieldType::ftLargeint:
        return "a 64-bit whole number";
    case TFieldType::ftAutoInc:
        return "an automatic sequence number";
    case TFieldType::ftBoolean:
        return "a yes-or-no value";
    case TFieldType::ftFloat:
        return "a floating-point number";
    case TFieldType::ftCurrency:
        return "an amount of money";
    case TFieldType::ftBCD:
        return "an exact decimal number";
    case TFieldType::ftDate:
        return "a date";
    case TFieldType::ftTime:
        return "a time of day";
    case TFieldType::ftDateTime:
        return "a date and time";
    case TFieldType::ftMemo:
        return "long text";
    case TFieldType::ftBlob:
        return "binary data";
    case TFieldType::ftUnknown:
        break;
    }
    return "a value of no known kind";
}

void RaiseDatabaseError(const AnsiString& message, const QObject* dataSet) {
    if (dataSet != nullptr && !dataSet->objectName().isEmpty()) {
        throw EDatabaseError(FromQString(dataSet->objectName()) + ": " + message);
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
        RaiseDatabaseError("field '" + fieldName_ + "' is read-only; its value cannot be changed",
                           dataSet_);
    }
    if (!dataSet_->Active() || column_ < 0) {
        RaiseDatabaseError(Dbclient::TClientDataSet::ClosedMessage, dataSet_);
    }
    if (dataSet_->CurrentValue(column_) == nullptr) {
        RaiseDatabaseError(Dbclient::TClientDataSet::NoRecordMessage, dataSet_);
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
