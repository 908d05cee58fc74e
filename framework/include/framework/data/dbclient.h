#pragma once

#include "framework/ansistring.h"
#include "framework/data/datapacket.h"
#include "framework/data/db.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <vector>

namespace Dbclient {

// An in-memory table: field definitions, rows and a current record. Its content arrives as a
// data packet (SetData, LoadFromFile) or is built in memory (AddFieldDef, CreateDataSet).
class FRAMEWORK_EXPORT TClientDataSet : public QObject {
    Q_OBJECT

public:
    // The objectName is the dataset's name.
    explicit TClientDataSet(QObject* owner = nullptr);

    // Persistent (design-time) fields, in order; they bind by name to the columns of any packet
    // that arrives (SetData, LoadFromFile). A column missing from the packet, or of another
    // kind, raises EDatabaseError naming the dataset and the field. Without persistent fields
    // the dataset makes its fields from the packet's columns.
    Db::TField* AddField(const AnsiString& name, Db::TFieldType type, int size = 0);
    // Field definitions for a dataset built in memory, then CreateDataSet. Without definitions
    // CreateDataSet uses the persistent fields.
    void AddFieldDef(const AnsiString& name, Db::TFieldType type, int size = 0,
                     bool required = false);
    void CreateDataSet();
    // Stored; no operation sorts.
    void AddIndexDef(const AnsiString& name, const AnsiString& fields);
    AnsiString IndexName() const { return indexName_; }
    void SetIndexName(const AnsiString& name) { indexName_ = name; }
    int IndexDefCount() const { return static_cast<int>(indexDefs_.size()); }

    bool Active() const { return active_; }
    // Opens on the data it holds; a dataset without data raises EDatabaseError.
    void Open();
    // Closes and lets the data go.
    void Close();

    // The binary data packet of all current rows.
    QByteArray Data() const;
    // Copies the packet; the first record becomes current. An empty packet closes the dataset.
    // Raises EDatabaseError on a bad packet, naming it "data packet".
    void SetData(const QByteArray& packet);
    // Takes a packet already read, its current rows; the first record becomes current.
    void SetPacket(Datapacket::TDataPacket packet);
    // Either file form, told apart by its first bytes.
    void LoadFromFile(const QString& fileName);
    // The binary form, or XML when the name ends in ".xml" (any case).
    void SaveToFile(const QString& fileName);

    int RecordCount() const;
    // 1-based; 0 when there is no current record.
    int RecNo() const;
    void First();
    void Next();
    bool Eof() const;
    bool Bof() const;

    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();

    // Raises EDatabaseError "<dataset>: there is no field named '<name>'".
    Db::TField* FieldByName(const AnsiString& name) const;
    // nullptr when absent.
    Db::TField* FindField(const AnsiString& name) const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    Db::TField* Fields(int index) const;

    // The columns and current rows, as a packet holds them.
    const Datapacket::TDataPacket& Packet() const { return data_; }

private:
    friend class Db::TField;

    enum class State { Browse, Edit, Insert };

    struct FieldDef {
        AnsiString name;
        Db::TFieldType type;
        int size;
        bool required;
    };
    struct IndexDef {
        AnsiString name;
        AnsiString fields;
    };

    // What the dataset and its fields say when asked for records they do not have.
    static constexpr const char* ClosedMessage =
        "the dataset is closed; its records can be used only while it is open";
    static constexpr const char* NoRecordMessage = "there is no current record to change";

    [[noreturn]] void Error(const AnsiString& message) const;
    void RequireOpen() const;
    void RequireClosed() const;
    // Takes the packet's current view and binds or makes the fields.
    void Assign(Datapacket::TDataPacket packet);
    void BindFields();
    void PostPending();

    // Access for the fields: the current record's value of a column, nullptr without one.
    const Datapacket::TValue* CurrentValue(int column) const;
    void SetCurrentValue(int column, Datapacket::TValue value);

    Datapacket::TDataPacket data_;
    std::vector<Db::TField*> fields_;
    std::vector<FieldDef> fieldDefs_;
    std::vector<IndexDef> indexDefs_;
    AnsiString indexName_;
    bool active_ = false;
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    State state_ = State::Browse;
    Datapacket::TRowValues savedValues_;
};

} // namespace Dbclient
