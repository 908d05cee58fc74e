#pragma once

#include "framework/ansistring.h"
#include "framework/datetime.h"
#include "framework/framework_export.h"
#include "framework/sysutils.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace Dbclient {
class TClientDataSet;
}
namespace Datapacket {
struct TColumn;
}

namespace Db {

class FRAMEWORK_EXPORT EDatabaseError : public Sysutils::Exception {
public:
    using Exception::Exception;
};

enum class TFieldType {
    ftUnknown,
    ftString,
    ftWideString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftLargeint,
    ftAutoInc,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,
    ftBlob
};

// What a field of that type holds, in the words error messages use ("text", "a date and time").
FRAMEWORK_EXPORT AnsiString DescribeFieldType(TFieldType type);

// Raises EDatabaseError with the message prefixed by the dataset's name, when it has one.
[[noreturn]] FRAMEWORK_EXPORT void RaiseDatabaseError(const AnsiString& message,
                                                      const QObject* dataSet = nullptr);

using TDataSet = Dbclient::TClientDataSet;

// One column of the current record. The values live in the dataset; a field reads and writes
// the record the dataset is positioned on.
class FRAMEWORK_EXPORT TField : public QObject {
    Q_OBJECT

public:
    TField(Dbclient::TClientDataSet* dataSet, const AnsiString& name, TFieldType type, int size);

    AnsiString FieldName() const { return fieldName_; }
    TFieldType DataType() const { return dataType_; }
    int Size() const { return size_; }
    AnsiString DisplayLabel() const;
    void SetDisplayLabel(const AnsiString& label) { displayLabel_ = label; }
    AnsiString EditMask() const { return editMask_; }
    void SetEditMask(const AnsiString& mask) { editMask_ = mask; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    // Declared in code, as opposed to made from the columns of a packet.
    bool Persistent() const { return persistent_; }

    bool IsNull() const;
    AnsiString AsString() const;
    Sysutils::TDateTime AsDateTime() const;
    long long AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    void SetAsString(const AnsiString& value);
    void SetAsDateTime(Sysutils::TDateTime value);
    void SetAsInteger(long long value);
    void SetAsFloat(double value);
    void SetAsBoolean(bool value);
    void Clear();

    // The display text: OnGetText when set (sender, text out, displayText=true), else AsString.
    AnsiString DisplayText() const;
    std::function<void(TField* sender, AnsiString& text, bool displayText)> OnGetText;

    Dbclient::TClientDataSet* DataSet() const { return dataSet_; }

    // The packet column the field reads; -1 while unbound.
    int ColumnIndex() const { return column_; }

private:
    friend class Dbclient::TClientDataSet;

    void Bind(int column) { column_ = column; }
    void SetPersistent(bool persistent) { persistent_ = persistent; }
    const Datapacket::TColumn& Column() const;
    // A value may be written: the field is bound, not read-only, and there is a current record.
    void CheckWritable() const;

    Dbclient::TClientDataSet* dataSet_;
    AnsiString fieldName_;
    TFieldType dataType_;
    int size_;
    AnsiString displayLabel_;
    AnsiString editMask_;
    bool readOnly_ = false;
    bool required_ = false;
    bool persistent_ = false;
    int column_ = -1;
};

class FRAMEWORK_EXPORT TDataSource : public QObject {
    Q_OBJECT

public:
    explicit TDataSource(QObject* owner = nullptr);
    Dbclient::TClientDataSet* DataSet() const;
    void SetDataSet(Dbclient::TClientDataSet* dataSet);

private:
    QPointer<Dbclient::TClientDataSet> dataSet_;
};

} // namespace Db
