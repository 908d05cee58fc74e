#pragma once

#include "framework/ansistring.h"
#include "framework/data/db.h"
#include "framework/framework_export.h"

#include <QByteArray>
#include <QSharedData>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
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

// A value of a row, with the column it belongs to.
struct FRAMEWORK_EXPORT TRowEntry {
    std::size_t column = 0;
    TValue value;
};

// The values of one row, one per column, of which only those that are not null are kept: a row
// costs what its file gives it, so that an empty row under thousands of columns costs a few
// bytes. A row of a change log takes the values it does not carry from its original, shared
// rather than copied. Copies share their values until one of them is changed.
class FRAMEWORK_EXPORT TRowValues {
public:
    TRowValues() = default;
    // That many columns, all null.
    explicit TRowValues(std::size_t width);
    // One value per column, as a row is written out by hand.
    TRowValues(std::initializer_list<TValue> values);
    TRowValues(const std::vector<TValue>& values);

    // For readers: a row of width columns holding the values of the entries, which come in column
    // order, each column once. With an original, the row takes every column it has no entry for
    // from it, and an entry holding null makes that column null whatever the original holds. The
    // entries' values are moved out.
    static TRowValues FromEntries(std::size_t width, std::span<TRowEntry> entries,
                                  const TRowValues* original = nullptr);

    // The number of columns.
    std::size_t size() const { return width_; }
    // The value of a column: null when it has none, or lies beyond the row.
    const TValue& operator[](std::size_t column) const;
    // Raises std::out_of_range for a column beyond the row.
    void Set(std::size_t column, TValue value);
    // Columns added are null; columns taken away lose their values.
    void resize(std::size_t width);

    // Calls visit(column, value) for each value that is not null, in column order.
    template <class Visit> void ForEachValue(const Visit& visit) const;

    bool operator==(const TRowValues& other) const;

private:
    using TEntries = std::vector<TRowEntry>;
    // Values in column order, shared by the copies of a row and by the rows that keep them from
    // it as their original.
    struct TEntryBlock : QSharedData {
        TEntries entries;
    };
    // A bit for each column, 64 to a word, set where the row is null whatever its original holds.
    struct TClearedBlock : QSharedData {
        std::vector<std::uint64_t> words;
    };

    static const TRowEntry* Find(const TEntryBlock* block, std::size_t column);
    bool Cleared(std::size_t column) const {
        return cleared_ && (cleared_->words[column / 64] >> (column % 64) & 1) != 0;
    }
    const TRowEntry* FindInherited(std::size_t column) const;
    // This row's entries, to be changed: copied first when a copy of the row shares them.
    TEntries& OwnForChange();

    std::size_t width_ = 0;
    // The values this row holds itself; null when it holds none.
    QExplicitlySharedDataPointer<TEntryBlock> own_;
    // The values of the original this row takes every other column from; null when it takes none.
    QExplicitlySharedDataPointer<TEntryBlock> inherited_;
    // Null when no column is cleared.
    QExplicitlySharedDataPointer<TClearedBlock> cleared_;
};

template <class Visit> void TRowValues::ForEachValue(const Visit& visit) const {
    const TRowEntry* own = own_ ? own_->entries.data() : nullptr;
    const TRowEntry* ownEnd = own_ ? own + own_->entries.size() : nullptr;
    const TRowEntry* taken = inherited_ ? inherited_->entries.data() : nullptr;
    const TRowEntry* takenEnd = inherited_ ? taken + inherited_->entries.size() : nullptr;
    while (own != ownEnd || taken != takenEnd) {
        if (taken == takenEnd || (own != ownEnd && own->column <= taken->column)) {
            // The row's own value hides its original's.
            if (taken != takenEnd && taken->column == own->column) {
                ++taken;
            }
            visit(own->column, own->value);
            ++own;
            continue;
        }
        if (!Cleared(taken->column)) {
            visit(taken->column, taken->value);
        }
        ++taken;
    }
}

struct FRAMEWORK_EXPORT TRow {
    std::uint8_t status = rsUnchanged;
    TRowValues values;

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
