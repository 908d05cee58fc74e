#include "framework/data/dbclient.h"
#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketfile.h"

namespace Dbclient {

using Datapacket::TDataPacket;
using Datapacket::TValue;
using Db::TField;
using Db::TFieldType;

namespace {

// An auto-increment column is an integer column to a field, and the other way round.
bool Compatible(TFieldType field, TFieldType column) {
    const auto integer = [](TFieldType type) {
        return type == TFieldType::ftInteger || type == TFieldType::ftAutoInc;
    };
    return field == column || (integer(field) && integer(column));
}

// The size a field made from a column reports: characters, or digits after the point.
int FieldSize(const Datapacket::TColumn& column) {
    return column.type == TFieldType::ftBCD ? column.decimals : column.width;
}

} // namespace

TClientDataSet::TClientDataSet(QObject* owner) : QObject(owner) {}

void TClientDataSet::Error(const AnsiString& message) const {
    Db::RaiseDatabaseError(message, this);
}

void TClientDataSet::RequireOpen() const {
    if (!active_) {
        Error(ClosedMessage);
    }
}

void TClientDataSet::RequireClosed() const {
    if (active_) {
        Error("fields can be added only while the dataset is closed");
    }
}

TField* TClientDataSet::AddField(const AnsiString& name, TFieldType type, int size) {
    RequireClosed();
    if (FindField(name) != nullptr) {
        Error("the dataset already has a field named '" + name + "'");
    }
    auto* field = new TField(this, name, type, size);
    field->setObjectName(ToQString(name));
    field->SetPersistent(true);
    fields_.push_back(field);
    return field;
}

void TClientDataSet::AddFieldDef(const AnsiString& name, TFieldType type, int size, bool required) {
    fieldDefs_.push_back({name, type, size, required});
}

void TClientDataSet::CreateDataSet() {
    Close();
    TDataPacket packet;
    for (const FieldDef& def : fieldDefs_) {
        packet.columns.push_back(Datapacket::MakeColumn(def.name, def.type, def.size));
        if (def.required) {
            packet.columns.back().attributes |= Datapacket::caRequired;
        }
    }
    if (fieldDefs_.empty()) {
        for (const TField* field : fields_) {
            packet.columns.push_back(
                Datapacket::MakeColumn(field->FieldName(), field->DataType(), field->Size()));
            unsigned& attributes = packet.columns.back().attributes;
            if (field->ReadOnly()) {
                attributes |= Datapacket::caReadOnly;
            }
            if (field->Required()) {
                attributes |= Datapacket::caRequired;
            }
        }
    }
    if (packet.columns.empty()) {
        Error("there are no field definitions to build the dataset from");
    }
    Assign(std::move(packet));
}

void TClientDataSet::AddIndexDef(const AnsiString& name, const AnsiString& fields) {
    indexDefs_.push_back({name, fields});
}

void TClientDataSet::Open() {
    if (active_) {
        return;
    }
    if (data_.columns.empty()) {
        Error("the dataset has no data to open; give it a data packet or load a file first");
    }
    active_ = true;
    First();
}

void TClientDataSet::Close() {
    active_ = false;
    data_ = {};
    current_ = -1;
    bof_ = eof_ = true;
    state_ = State::Browse;
    savedValues_ = {};
    std::vector<TField*> persistent;
    for (TField* field : fields_) {
        if (field->Persistent()) {
            field->Bind(-1);
            persistent.push_back(field);
        } else {
            delete field;
        }
    }
    fields_ = std::move(persistent);
}

void TClientDataSet::Assign(TDataPacket packet) {
    TDataPacket view = Datapacket::CurrentView(std::move(packet));
    std::vector<int> bindings;
    for (const TField* field : fields_) {
        const int column = Datapacket::FindColumn(view, field->FieldName());
        if (column < 0) {
            Error("the data has no column for field '" + field->FieldName() + "'");
        }
        const TFieldType actual = view.columns[static_cast<std::size_t>(column)].type;
        if (!Compatible(field->DataType(), actual)) {
            Error("field '" + field->FieldName() + "' is meant for " +
                  Db::DescribeFieldType(field->DataType()) + ", but the data holds " +
                  Db::DescribeFieldType(actual) + " in that column");
        }
        bindings.push_back(column);
    }
    data_ = std::move(view);
    if (fields_.empty()) {
        for (std::size_t i = 0; i < data_.columns.size(); ++i) {
            const Datapacket::TColumn& column = data_.columns[i];
            auto* field = new TField(this, column.name, column.type, FieldSize(column));
            field->setObjectName(ToQString(column.name));
            field->SetReadOnly((column.attributes & Datapacket::caReadOnly) != 0);
            field->SetRequired((column.attributes & Datapacket::caRequired) != 0);
            field->Bind(static_cast<int>(i));
            fields_.push_back(field);
        }
    } else {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            fields_[i]->Bind(bindings[i]);
        }
    }
    active_ = true;
    First();
}

QByteArray TClientDataSet::Data() const {
    if (!active_) {
        return {};
    }
    return Datapacket::WriteBinaryPacket(data_, "data packet");
}

void TClientDataSet::SetData(const QByteArray& packet) {
    if (packet.isEmpty()) {
        Close();
        return;
    }
    TDataPacket parsed = Datapacket::ParsePacket(packet, "data packet");
    Close();
    Assign(std::move(parsed));
}

void TClientDataSet::SetPacket(Datapacket::TDataPacket packet) {
    Close();
    Assign(std::move(packet));
}

void TClientDataSet::LoadFromFile(const QString& fileName) {
    TDataPacket parsed = Datapacket::ReadPacketFile(fileName);
    Close();
    Assign(std::move(parsed));
}

void TClientDataSet::SaveToFile(const QString& fileName) {
    RequireOpen();
    Datapacket::WritePacketFile(fileName, data_, Datapacket::FormForFileName(fileName));
}

int TClientDataSet::RecordCount() const {
    return active_ ? static_cast<int>(data_.rows.size()) : 0;
}

int TClientDataSet::RecNo() const {
    return active_ ? current_ + 1 : 0;
}

void TClientDataSet::First() {
    RequireOpen();
    PostPending();
    current_ = data_.rows.empty() ? -1 : 0;
    bof_ = true;
    eof_ = data_.rows.empty();
}

void TClientDataSet::Next() {
    RequireOpen();
    PostPending();
    bof_ = false;
    if (current_ + 1 < static_cast<int>(data_.rows.size())) {
        ++current_;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

bool TClientDataSet::Eof() const {
    return !active_ || eof_;
}

bool TClientDataSet::Bof() const {
    return !active_ || bof_;
}

void TClientDataSet::Append() {
    RequireOpen();
    PostPending();
    data_.rows.push_back({Datapacket::rsUnchanged, Datapacket::TRowValues(data_.columns.size())});
    current_ = static_cast<int>(data_.rows.size()) - 1;
    bof_ = eof_ = false;
    state_ = State::Insert;
}

void TClientDataSet::Edit() {
    RequireOpen();
    if (current_ < 0) {
        Error(NoRecordMessage);
    }
    if (state_ == State::Browse) {
        savedValues_ = data_.rows[static_cast<std::size_t>(current_)].values;
        state_ = State::Edit;
    }
}

void TClientDataSet::Post() {
    RequireOpen();
    if (state_ == State::Browse) {
        return;
    }
    for (const TField* field : fields_) {
        if (field->Required() && field->IsNull()) {
            Error("field '" + field->FieldName() + "' must be filled in before the record is kept");
        }
    }
    state_ = State::Browse;
    savedValues_ = {};
}

void TClientDataSet::Cancel() {
    RequireOpen();
    if (state_ == State::Insert) {
        data_.rows.erase(data_.rows.begin() + current_);
        current_ = std::min(current_, static_cast<int>(data_.rows.size()) - 1);
        eof_ = data_.rows.empty();
    } else if (state_ == State::Edit) {
        data_.rows[static_cast<std::size_t>(current_)].values = savedValues_;
    }
    state_ = State::Browse;
    savedValues_ = {};
}

void TClientDataSet::Delete() {
    RequireOpen();
    if (state_ == State::Insert) {
        Cancel();
        return;
    }
    if (current_ < 0) {
        Error("there is no record to delete");
    }
    data_.rows.erase(data_.rows.begin() + current_);
    current_ = std::min(current_, static_cast<int>(data_.rows.size()) - 1);
    eof_ = data_.rows.empty();
    bof_ = data_.rows.empty();
    state_ = State::Browse;
    savedValues_ = {};
}

void TClientDataSet::PostPending() {
    if (state_ != State::Browse) {
        Post();
    }
}

TField* TClientDataSet::FindField(const AnsiString& name) const {
    for (TField* field : fields_) {
        if (Datapacket::SameFieldName(field->FieldName(), name)) {
            return field;
        }
    }
    return nullptr;
}

TField* TClientDataSet::FieldByName(const AnsiString& name) const {
    TField* field = FindField(name);
    if (field == nullptr) {
        Error("there is no field named '" + name + "'");
    }
    return field;
}

TField* TClientDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount()) {
        Error("there is no field at index " + std::to_string(index) + "; the dataset has " +
              std::to_string(FieldCount()) + " fields");
    }
    return fields_[static_cast<std::size_t>(index)];
}

const TValue* TClientDataSet::CurrentValue(int column) const {
    if (!active_ || current_ < 0 || column < 0 ||
        column >= static_cast<int>(data_.columns.size())) {
        return nullptr;
    }
    return &data_.rows[static_cast<std::size_t>(current_)].values[static_cast<std::size_t>(column)];
}

void TClientDataSet::SetCurrentValue(int column, TValue value) {
    if (CurrentValue(column) == nullptr) {
        Error(NoRecordMessage);
    }
    data_.rows[static_cast<std::size_t>(current_)].values.Set(static_cast<std::size_t>(column),
                                                              std::move(value));
}

} // namespace Dbclient
