#include "datapackettypes.h"

namespace Datapacket {

using Db::TFieldType;

namespace {

constexpr bool ReadOnly = true;

// Every form, the written ones of a type code before those only read, and within a code the
// narrower before the wider.
constexpr TStoredForm Forms[] = {
    {TFieldType::ftString, tcString, 0, "string", 1, false},
    {TFieldType::ftWideString, tcWideString, 0, "string.uni", 2, false},
    {TFieldType::ftSmallint, tcInteger, 1, "i1", 0, false},
    {TFieldType::ftSmallint, tcInteger, 2, "i2", 0, false},
    {TFieldType::ftInteger, tcInteger, 4, "i4", 0, false},
    {TFieldType::ftLargeint, tcInteger, 8, "i8", 0, false},
    {TFieldType::ftWord, tcUnsigned, 1, "ui1", 0, false},
    {TFieldType::ftWord, tcUnsigned, 2, "ui2", 0, false},
    {TFieldType::ftLargeint, tcUnsigned, 4, "ui4", 0, false},
    {TFieldType::ftLargeint, tcUnsigned, 8, "ui8", 0, false},
    {TFieldType::ftBoolean, tcBoolean, 0, "boolean", 0, false},
    {TFieldType::ftFloat, tcFloat, 4, "r4", 0, false},
    {TFieldType::ftFloat, tcFloat, 8, "r8", 0, false},
    // An extended float is read into a double.
    {TFieldType::ftFloat, tcFloat, 8, "r10", 0, ReadOnly},
    {TFieldType::ftBCD, tcBcd, 0, "fixed", 1, false},
    {TFieldType::ftBCD, tcBcd, 0, "fixedFMT", 1, ReadOnly},
    {TFieldType::ftDate, tcDate, 0, "date", 0, false},
    {TFieldType::ftTime, tcTime, 0, "time", 0, false},
    {TFieldType::ftDateTime, tcDateTime, 0, "dateTime", 0, false},
    {TFieldType::ftBlob, tcBytes, 0, "bin.hex", 0, false},
};

// A field type stored as another, told apart from it by its subtype.
struct TSubtype {
    TFieldType type;
    TFieldType storedAs;
    const char* subtype;
};

// The first subtype of a field type is the one written for it; a memo or blob writes its own
// when it has one, and one read without any gets the default of its stored type.
constexpr TSubtype Subtypes[] = {
    {TFieldType::ftAutoInc, TFieldType::ftInteger, "Autoinc"},
    {TFieldType::ftCurrency, TFieldType::ftFloat, "Money"},
    {TFieldType::ftMemo, TFieldType::ftBlob, "Text"},
    {TFieldType::ftMemo, TFieldType::ftBlob, "WideText"},
    {TFieldType::ftMemo, TFieldType::ftBlob, "Formatted"},
    {TFieldType::ftBlob, TFieldType::ftBlob, "Binary"},
};

// What the writers ask of a field type: its widest written form (none for a column without a
// type) and the subtype written for it.
struct TFieldTypeStorage {
    const TStoredForm* widest = nullptr;
    const char* subtype = "";
};

TFieldTypeStorage StorageOf(TFieldType type) {
    TFieldTypeStorage storage;
    TFieldType storedAs = type;
    for (const TSubtype& row : Subtypes) {
        if (row.type == type) {
            storedAs = row.storedAs;
            storage.subtype = row.subtype;
            break;
        }
    }
    for (const TStoredForm& form : Forms) {
        if (form.type == storedAs && !form.readOnly &&
            (storage.widest == nullptr || form.bytes > storage.widest->bytes)) {
            storage.widest = &form;
        }
    }
    return storage;
}

} // namespace

const TStoredForm* FindBinaryForm(unsigned code, unsigned size) {
    for (const TStoredForm& form : Forms) {
        if (form.code == code && (form.bytes == 0 || static_cast<unsigned>(form.bytes) == size)) {
            return &form;
        }
    }
    return nullptr;
}

const TStoredForm* FindXmlForm(QStringView fieldType) {
    for (const TStoredForm& form : Forms) {
        if (fieldType.compare(QLatin1String(form.xmlName), Qt::CaseInsensitive) == 0) {
            return &form;
        }
    }
    return nullptr;
}

void SetColumnType(TColumn& column, const TStoredForm& form, int width, QAnyStringView subtype) {
    // The type follows the subtype as it is kept, in Latin-1: a character outside it, which
    // no form writes back, cannot make a column a blob that reads back as a memo.
    const AnsiString kept = FromQString(subtype.toString());
    const QLatin1String keptText(kept.data(), static_cast<qsizetype>(kept.size()));
    column.type = form.type;
    for (const TSubtype& row : Subtypes) {
        if (row.storedAs == form.type && keptText == QLatin1String(row.subtype)) {
            column.type = row.type;
            break;
        }
    }
    column.bytes = form.bytes;
    column.isUnsigned = form.code == tcUnsigned;
    column.width = form.widthFactor == 0 ? 0 : width / form.widthFactor;
    // Only BCD has digits after the point; a DECIMALS on another kind is not kept, as neither
    // form writes one there.
    if (form.code != tcBcd) {
        column.decimals = 0;
    }
    // Memos and blobs keep their subtype ("Text", "Graphics", ...).
    if (form.code == tcBytes) {
        column.subtype = kept.empty() ? StorageOf(form.type).subtype : kept;
    }
}

void SetDefaultStorage(TColumn& column) {
    const TFieldTypeStorage storage = StorageOf(column.type);
    if (storage.widest == nullptr) {
        return;
    }
    column.bytes = storage.widest->bytes;
    column.isUnsigned = storage.widest->code == tcUnsigned;
    if (storage.widest->code == tcBytes) {
        column.subtype = storage.subtype;
    }
}

const TStoredForm& WrittenForm(const TColumn& column) {
    const TStoredForm* own = StorageOf(column.type).widest;
    if (own != nullptr && own->bytes == 0) {
        return *own;
    }
    // A column without a type is written as an integer, as its values are.
    unsigned code = own == nullptr ? tcInteger : own->code;
    if (code == tcInteger || code == tcUnsigned) {
        code = column.isUnsigned ? tcUnsigned : tcInteger;
    }
    const TStoredForm* widest = nullptr;
    for (const TStoredForm& form : Forms) {
        if (form.code != code || form.readOnly) {
            continue;
        }
        if (form.bytes == column.bytes) {
            return form;
        }
        widest = &form;
    }
    return *widest;
}

long long WrittenWidth(const TColumn& column) {
    return static_cast<long long>(column.width) * WrittenForm(column).widthFactor;
}

AnsiString WrittenSubtype(const TColumn& column) {
    const TFieldTypeStorage storage = StorageOf(column.type);
    // Memos and blobs write their own subtype when they have one.
    if (storage.widest != nullptr && storage.widest->code == tcBytes && !column.subtype.empty()) {
        return column.subtype;
    }
    return storage.subtype;
}

bool XmlHoldsText(const TColumn& column) {
    if (column.type != TFieldType::ftMemo) {
        return false;
    }
    // As written, so that what is written as text reads back as text.
    const AnsiString subtype = WrittenSubtype(column);
    return subtype == "Text" || subtype == "Formatted";
}

} // namespace Datapacket
