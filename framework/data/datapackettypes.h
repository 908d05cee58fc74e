#pragma once

#include "framework/ansistring.h"
#include "framework/data/datapacket.h"

#include <QAnyStringView>
#include <QStringView>
#include <cstdint>

// How each field type is stored in the two forms of a data packet: its type code and size in the
// binary form, its fieldtype in the XML form, and the subtype that tells it apart from another
// field type stored alike. The readers and writers of both forms take all of it from here.
namespace Datapacket {

// The type codes of the binary form.
enum TTypeCode : unsigned {
    tcInteger = 1,
    tcUnsigned = 2,
    tcBoolean = 3,
    tcFloat = 4,
    tcBcd = 5,
    tcDate = 6,
    tcTime = 7,
    tcDateTime = 8,
    tcString = 9,
    tcWideString = 10,
    tcBytes = 11
};

// A type word of the binary form, taken apart: the type code (bits 16 to 21); the value's size,
// or for a variable-length value the size of its length prefix (bits 0 to 15); and two flags.
struct TTypeWord {
    unsigned code = 0;
    unsigned size = 0;
    bool variable = false;
    // A u32 element count precedes the elements.
    bool array = false;
};

constexpr std::uint32_t VariableLengthFlag = 0x00400000;
constexpr std::uint32_t ArrayFlag = 0x00800000;

constexpr TTypeWord SplitTypeWord(std::uint32_t word) {
    return {(word >> 16) & 0x3F, word & 0xFFFF, (word & VariableLengthFlag) != 0,
            (word & ArrayFlag) != 0};
}

constexpr std::uint32_t MakeTypeWord(unsigned code, unsigned size, bool variable = false) {
    return code << 16 | size | (variable ? VariableLengthFlag : 0);
}

// One way a column is stored.
struct TStoredForm {
    // The field type a reader makes of it, unless its subtype names another.
    Db::TFieldType type;
    TTypeCode code;
    // The stored size of an integer or a float; 0 for the other kinds, whose size is the form's.
    int bytes;
    const char* xmlName;
    // WIDTH is the column's width times this (2 bytes a character for wide strings); 0 for the
    // kinds without a WIDTH.
    int widthFactor;
    // Found in files of other writers; read, never written.
    bool readOnly;
};

// The form of a binary column with that type code and size; nullptr when the code has no form of
// that size (an integer of 3 bytes).
const TStoredForm* FindBinaryForm(unsigned code, unsigned size);

// The form an XML fieldtype names, matched without regard to case; nullptr when none does.
const TStoredForm* FindXmlForm(QStringView fieldType);

// Sets the type, size, signedness, width and subtype of a column read in that form with that
// WIDTH and SUBTYPE, and clears the digits after the point of a column that is not BCD.
void SetColumnType(TColumn& column, const TStoredForm& form, int width, QAnyStringView subtype);

// Gives a new column of its field type the size and signedness of the type's widest form and, for
// a memo or blob, the default subtype.
void SetDefaultStorage(TColumn& column);

// The form a column is written in. Integers take the form of their own size and signedness,
// floats of their own size; a size their kind has no form of is written as the kind's widest.
const TStoredForm& WrittenForm(const TColumn& column);

// The WIDTH written for a column of a kind that has one.
long long WrittenWidth(const TColumn& column);

// The SUBTYPE written for a column; empty for none.
AnsiString WrittenSubtype(const TColumn& column);

// Whether the XML form holds the column's values as the text itself: memos of 8-bit text do,
// while blobs and memos of wide text hold base64.
bool XmlHoldsText(const TColumn& column);

// Strings may come padded or terminated with NULs, in either form.
template <class Text> Text WithoutTrailingNuls(Text text) {
    while (text.endsWith(typename Text::value_type(0))) {
        text.chop(1);
    }
    return text;
}

} // namespace Datapacket
