#include "framework/data/datapacket.h"
#include "datapackettypes.h"

namespace Datapacket {

using Db::TFieldType;

// An empty text holds nothing: a file may hold many, and each would be an allocation.
TText::TText(AnsiString text)
    : text_(text.empty() ? nullptr : std::make_shared<const AnsiString>(std::move(text))) {}

const AnsiString& TText::Str() const {
    static const AnsiString empty;
    return text_ ? *text_ : empty;
}

void WrongValueKind(const TColumn& column, const AnsiString& target) {
    Db::RaiseDatabaseError(target + ": field '" + column.name + "' has a value that is not " +
                           Db::DescribeFieldType(column.type));
}

AnsiString ColumnKindName(const TColumn& column) {
    switch (column.type) {
    case TFieldType::ftString:
        return "string";
    case TFieldType::ftWideString:
        return "widestring";
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftLargeint:
        return (column.isUnsigned ? "uint" : "int") + std::to_string(column.bytes * 8);
    case TFieldType::ftAutoInc:
        return "autoinc";
    case TFieldType::ftBoolean:
        return "boolean";
    case TFieldType::ftFloat:
        return column.bytes == 4 ? "float4" : "float";
    case TFieldType::ftCurrency:
        return "currency";
    case TFieldType::ftBCD:
        return "bcd";
    case TFieldType::ftDate:
        return "date";
    case TFieldType::ftTime:
        return "time";
    case TFieldType::ftDateTime:
        return "datetime";
    case TFieldType::ftMemo:
        return "memo";
    case TFieldType::ftBlob:
        return "blob";
    case TFieldType::ftUnknown:
        break;
    }
    return "unknown";
}

TColumn MakeColumn(const AnsiString& name, TFieldType type, int size) {
    // A string declared without a size gets the framework's default width.
    constexpr int DefaultStringWidth = 20;
    // BCD columns hold up to this many digits; the size is the digits after the point.
    constexpr int BcdPrecision = 32;
    TColumn column;
    column.name = name;
    column.type = type;
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftWideString:
        column.width = size > 0 ? size : DefaultStringWidth;
        break;
    case TFieldType::ftBCD:
        column.width = BcdPrecision;
        column.decimals = size;
        break;
    default:
        break;
    }
    SetDefaultStorage(column);
    return column;
}

bool InCurrentView(const TRow& row) {
    return (row.status & (rsOriginal | rsDeleted)) == 0;
}

TDataPacket CurrentView(TDataPacket packet) {
    std::erase_if(packet.rows, [](const TRow& row) { return !InCurrentView(row); });
    for (TRow& row : packet.rows) {
        row.status = rsUnchanged;
    }
    return packet;
}

bool SameFieldName(const AnsiString& a, const AnsiString& b) {
    return QString::compare(ToQString(a), ToQString(b), Qt::CaseInsensitive) == 0;
}

int FindColumn(const TDataPacket& packet, const AnsiString& name) {
    for (std::size_t i = 0; i < packet.columns.size(); ++i) {
        if (SameFieldName(packet.columns[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace Datapacket
