#pragma once

#include "framework/ansistring.h"
#include "framework/data/db.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

// The content of a client dataset as its data packets carry it: columns, then rows.
namespace Datapacket {

// Column attributes, as the binary form stores them.
enum TColumnAttribute : unsigned { caHidden = 1, caReadOnly = 2, caRequired = 4, caLink = 8 };

struct FRAMEWORK_EXPORT TColumn {
    AnsiString name;
    Db::TFieldType type = Db::TFieldType::ftUnknown;
    // Characters for strings and wide strings; total digits for BCD.
    int width = 0;
    // Digits after the point for BCD.
    int decimals = 0;
    // Stored size of an integer (1, 2, 4, 8) or a float (4, 8).
    int bytes = 0;
    bool isUnsigned = false;
    // The stored subtype of a memo or blob ("Text", "Binary", "Graphics", ...).
    AnsiString subtype;
    unsigned attributes = 0;

    bool operator==(const TColumn&) const = default;
};

// A column's kind with its stored size ("string", "int16", "uint32", "datetime", ...).
FRAMEWORK_EXPORT AnsiString ColumnKindName(const TColumn& column);

// A column of the given field type as this framework stores it.
FRAMEWORK_EXPORT TColumn MakeColumn(const AnsiString& name, Db::TFieldType type, int size);

// The text of a string or BCD value. Copies share one immutable string: the rows of a change log
// repeat their original's values, and a large value must not be paid for once per row.
class FRAMEWORK_EXPORT TText {
public:
    // Implicit, so that a value is made from Latin-1 text as from any other alternative.
    TText(AnsiString text);

    const AnsiString& Str() const;
    bool operator==(const TText& other) const { return Str() == other.Str(); }

private:
    std::shared_ptr<const AnsiString> text_;
};

// One value, in the representation of the binary form:
// - null: std::monostate
// - integers (unsigned 64-bit ones by their bit pattern), dates as the day number
//   (0001-01-01 is day 1), times as milliseconds since midnight: long long
// - floats and currency; date-times as day number x 86,400,000 + milliseconds: double
// - booleans: bool
// - strings (Latin-1) and BCD (as decimal text, "-12.50"): TText
// - wide strings: QString
// - memos and blobs: QByteArray
// Every alternative is cheap to copy: the texts and byte arrays are shared, not duplicated.
using TValue = std::variant<std::monostate, long long, double, bool, TText, QString, QByteArray>;

// Raises a writer's error for a value that is not of its column's kind, naming the target.
[[noreturn]] FRAMEWORK_EXPORT void WrongValueKind(const TColumn& column, const AnsiString& target);

// The value as the alternative its column's kind keeps.
template <class T>
const T& ValueAs(const TColumn& column, const TValue& value, const AnsiString& target) {
    const T* stored = std::get_if<T>(&value);
    if (stored == nullptr) {
        WrongValueKind(column, target);
    }
    return *stored;
}

// Row states; the current view leaves out superseded originals and deleted rows.
enum TRowStatus : std::uint8_t {
    rsUnchanged = 0,
    rsOriginal = 1,
    rsDeleted = 2,
    rsInserted = 4,
    rsModified = 8
};

struct FRAMEWORK_EXPORT TRow {
    std::uint8_t status = rsUnchanged;
    std::vector<TValue> values;

    bool operator==(const TRow&) const = default;
};

struct FRAMEWORK_EXPORT TDataPacket {
    std::vector<TColumn> columns;
    std::vector<TRow> rows;

    bool operator==(const TDataPacket&) const = default;
};

FRAMEWORK_EXPORT bool InCurrentView(const TRow& row);

// Only the rows of the current view, each marked unchanged.
FRAMEWORK_EXPORT TDataPacket CurrentView(TDataPacket packet);

// Index of the column with that name, matched without regard to case; -1 when absent.
FRAMEWORK_EXPORT int FindColumn(const TDataPacket& packet, const AnsiString& name);

FRAMEWORK_EXPORT bool SameFieldName(const AnsiString& a, const AnsiString& b);

} // namespace Datapacket
