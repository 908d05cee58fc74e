#include "datapacketbcd.h"
#include "datapackettypes.h"
#include "framework/data/datapacketbinary.h"
#include "framework/data/datapacketvalue.h"

#include <QtEndian>
#include <cstring>
#include <optional>

namespace Datapacket {

namespace {

constexpr qsizetype HeaderSize = 24;
// Smallest column descriptor: name length, type word, attributes, property count.
constexpr qsizetype MinColumnSize = 1 + 4 + 2 + 2;
// Smallest property: name length and type word.
constexpr qsizetype MinPropertySize = 1 + 4;
constexpr std::uint32_t DataOffsetPresent = 2;

// What is being read, as a fault names it. A row's values are read by the million, so a row is
// put into words only when there is a fault to name.
class What {
public:
    What(const char* text) : text_(text) {}
    What(const AnsiString& text) : string_(&text) {}
    static What Row(std::uint32_t index) {
        What row;
        row.row_ = index + 1;
        return row;
    }

    AnsiString Text() const {
        if (string_ != nullptr) {
            return *string_;
        }
        return text_ != nullptr ? AnsiString(text_) : "row " + std::to_string(row_);
    }

private:
    What() = default;

    const char* text_ = nullptr;
    const AnsiString* string_ = nullptr;
    std::uint32_t row_ = 0;
};

// A bounds-checked cursor over the packet; every fault names the packet's source.
class Cursor {
public:
    Cursor(const QByteArray& bytes, const AnsiString& source) : bytes_(bytes), source_(source) {}

    [[noreturn]] void Fail(const AnsiString& fault) const {
        Db::RaiseDatabaseError(source_ + ": " + fault);
    }

    qsizetype Size() const { return bytes_.size(); }
    qsizetype Position() const { return position_; }
    qsizetype Remaining() const { return bytes_.size() - position_; }
    void Seek(qsizetype position) { position_ = position; }

    const char* Take(qsizetype count, const What& what) {
        if (count < 0 || count > Remaining()) {
            Fail("the data ends inside " + what.Text());
        }
        const char* data = bytes_.constData() + position_;
        position_ += count;
        return data;
    }
    std::uint8_t U8(const What& what) { return static_cast<std::uint8_t>(*Take(1, what)); }
    std::uint16_t U16(const What& what) { return qFromLittleEndian<std::uint16_t>(Take(2, what)); }
    std::uint32_t U32(const What& what) { return qFromLittleEndian<std::uint32_t>(Take(4, what)); }
    AnsiString Text(qsizetype count, const What& what) {
        return AnsiString(Take(count, what), static_cast<std::size_t>(count));
    }

    // A count of items of at least itemSize bytes each must fit in what remains.
    void CheckCount(unsigned long long count, qsizetype itemSize, const AnsiString& what) const {
        if (count * static_cast<unsigned long long>(itemSize) >
            static_cast<unsigned long long>(Remaining())) {
            Fail(what + " says " + std::to_string(count) + ", more than the remaining " +
                 std::to_string(Remaining()) + " bytes can hold");
        }
    }

private:
    const QByteArray& bytes_;
    AnsiString source_;
    qsizetype position_ = 0;
};

long long SignedValue(const char* data, unsigned size) {
    switch (size) {
    case 1:
        return static_cast<std::int8_t>(*data);
    case 2:
        return qFromLittleEndian<std::int16_t>(data);
    case 4:
        return qFromLittleEndian<std::int32_t>(data);
    default:
        return qFromLittleEndian<std::int64_t>(data);
    }
}

long long UnsignedValue(const char* data, unsigned size) {
    switch (size) {
    case 1:
        return static_cast<std::uint8_t>(*data);
    case 2:
        return qFromLittleEndian<std::uint16_t>(data);
    case 4:
        return qFromLittleEndian<std::uint32_t>(data);
    default:
        return static_cast<long long>(qFromLittleEndian<std::uint64_t>(data));
    }
}

double DoubleValue(const char* data) {
    const auto bits = qFromLittleEndian<std::uint64_t>(data);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

float FloatValue(const char* data) {
    const auto bits = qFromLittleEndian<std::uint32_t>(data);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Whether a column of this code may have this layout; the sizes of integers and floats are those
// of their forms.
bool ValidColumnLayout(const TTypeWord& type) {
    if (type.array) {
        return false;
    }
    if (type.variable) {
        const bool prefixOk = type.size == 1 || type.size == 2 || type.size == 4;
        return prefixOk &&
               (type.code == tcString || type.code == tcWideString || type.code == tcBytes);
    }
    switch (type.code) {
    case tcBoolean:
        return type.size == 1 || type.size == 2 || type.size == 4;
    case tcBcd:
        return type.size >= 2;
    case tcDate:
    case tcTime:
        return type.size == 4;
    case tcDateTime:
        return type.size == 8;
    default:
        return type.size >= 1;
    }
}

struct Property {
    AnsiString name;
    TTypeWord type;
    // The value of a plain (non-array) property.
    QByteArray value;
};

class PacketReader {
public:
    PacketReader(const QByteArray& bytes, const AnsiString& source) : in_(bytes, source) {}

    TDataPacket Read();

private:
    Property ReadProperty(const AnsiString& where);
    // The bytes of one value, where they lie in the packet.
    QByteArrayView ReadSized(const TTypeWord& type, const What& what);
    int IntegerProperty(const Property& property, const AnsiString& where);
    void ReadColumn(int index);
    TValue ReadValue(std::size_t column, std::uint32_t row);

    Cursor in_;
    TDataPacket packet_;
    std::vector<TTypeWord> types_;
};

QByteArrayView PacketReader::ReadSized(const TTypeWord& type, const What& what) {
    qsizetype size = type.size;
    if (type.variable) {
        size = type.size == 1   ? in_.U8(what)
               : type.size == 2 ? in_.U16(what)
                                : static_cast<qsizetype>(in_.U32(what));
    }
    return QByteArrayView(in_.Take(size, what), size);
}

Property PacketReader::ReadProperty(const AnsiString& where) {
    Property property;
    property.name = in_.Text(in_.U8(where), where);
    const AnsiString what = "property '" + property.name + "' of " + where;
    property.type = SplitTypeWord(in_.U32(what));
    const TTypeWord& type = property.type;
    const bool prefixOk = !type.variable || type.size == 1 || type.size == 2 || type.size == 4;
    if (type.size == 0 || !prefixOk) {
        in_.Fail(what + " has a type word that no stored value uses");
    }
    if (!property.type.array) {
        property.value = ReadSized(property.type, what).toByteArray();
        return property;
    }
    const std::uint32_t count = in_.U32(what);
    in_.CheckCount(count, property.type.size, "the element count of " + what);
    TTypeWord element = property.type;
    element.array = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        ReadSized(element, what);
    }
    return property;
}

int PacketReader::IntegerProperty(const Property& property, const AnsiString& where) {
    const TTypeWord& type = property.type;
    if (type.array || type.variable || (type.code != tcInteger && type.code != tcUnsigned) ||
        FindBinaryForm(type.code, type.size) == nullptr || type.size == 8) {
        in_.Fail("property '" + property.name + "' of " + where +
                 " is not stored as a whole number of at most 4 bytes");
    }
    const long long value = type.code == tcInteger
                                ? SignedValue(property.value.constData(), type.size)
                                : UnsignedValue(property.value.constData(), type.size);
    if (value < 0 || value > 0xFFFF) {
        in_.Fail("property '" + property.name + "' of " + where + " is " + std::to_string(value) +
                 ", outside 0 to 65535");
    }
    return static_cast<int>(value);
}

void PacketReader::ReadColumn(int index) {
    const AnsiString where = "column " + std::to_string(index + 1);
    TColumn column;
    column.name = in_.Text(in_.U8(where), where);
    const AnsiString what = "column '" + column.name + "'";
    const TTypeWord type = SplitTypeWord(in_.U32(what));
    if (type.code < tcInteger || type.code > tcBytes) {
        in_.Fail(what + " has type code " + std::to_string(type.code) +
                 ", which no kind of field uses");
    }
    const TStoredForm* form = FindBinaryForm(type.code, type.size);
    if (form == nullptr || !ValidColumnLayout(type)) {
        in_.Fail(what + " has a type word whose size or flags no kind of field uses");
    }
    // Only the attributes both forms carry are kept.
    column.attributes = in_.U16(what) & (caHidden | caReadOnly | caRequired | caLink);
    const unsigned propertyCount = in_.U16(what);
    in_.CheckCount(propertyCount, MinPropertySize, "the property count of " + what);
    int width = 0;
    AnsiString subtype;
    for (unsigned i = 0; i < propertyCount; ++i) {
        const Property property = ReadProperty(what);
        if (property.name == "WIDTH") {
            width = IntegerProperty(property, what);
        } else if (property.name == "DECIMALS") {
            column.decimals = IntegerProperty(property, what);
        } else if (property.name == "SUBTYPE" && property.type.code == tcString) {
            subtype = WithoutTrailingNuls(property.value).toStdString();
        } else if (property.name == "FIELDNAME" && property.type.code == tcString) {
            column.name = WithoutTrailingNuls(property.value).toStdString();
        }
    }
    // A fixed-size string without a WIDTH is as wide as its size.
    if (width == 0 && !type.variable && (type.code == tcString || type.code == tcWideString)) {
        width = static_cast<int>(type.size);
    }
    SetColumnType(column, *form, width,
                  QLatin1String(subtype.data(), static_cast<qsizetype>(subtype.size())));
    packet_.columns.push_back(column);
    types_.push_back(type);
}

TValue PacketReader::ReadValue(std::size_t index, std::uint32_t row) {
    const TColumn& column = packet_.columns[index];
    const TTypeWord& type = types_[index];
    const What what = What::Row(row);
    const QByteArrayView raw = ReadSized(type, what);
    const char* data = raw.data();
    const auto bad = [&]() {
        in_.Fail(what.Text() + ": the stored value of field '" + column.name + "' is not " +
                 Db::DescribeFieldType(column.type));
    };
    switch (type.code) {
    case tcInteger:
        return SignedValue(data, type.size);
    case tcUnsigned:
        return UnsignedValue(data, type.size);
    case tcBoolean:
        return raw.count('\0') != raw.size();
    case tcFloat:
        return type.size == 4 ? static_cast<double>(FloatValue(data)) : DoubleValue(data);
    case tcBcd: {
        std::optional<AnsiString> text = DecodeBcd(raw.toByteArray());
        if (!text) {
            bad();
        }
        return *text;
    }
    case tcDate: {
        const long long day = SignedValue(data, 4);
        if (!ValidDayNumber(day)) {
            bad();
        }
        return day;
    }
    case tcTime: {
        const long long ms = SignedValue(data, 4);
        if (ms < 0 || ms >= MsPerDay) {
            bad();
        }
        return ms;
    }
    case tcDateTime: {
        const double stored = DoubleValue(data);
        TDayTime dayTime;
        if (!SplitStoredDateTime(stored, dayTime)) {
            bad();
        }
        // Kept to the millisecond, as far as both forms reach.
        return JoinStoredDateTime(dayTime);
    }
    case tcString: {
        const QByteArrayView text = WithoutTrailingNuls(raw);
        return AnsiString(text.data(), static_cast<std::size_t>(text.size()));
    }
    case tcWideString: {
        if (raw.size() % 2 != 0) {
            bad();
        }
        QString text(raw.size() / 2, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(raw.constData(), text.size(), text.data());
        return WithoutTrailingNuls(std::move(text));
    }
    default:
        return raw.toByteArray();
    }
}

TDataPacket PacketReader::Read() {
    in_.Take(HeaderSize, "the header");
    in_.Seek(8);
    const std::uint32_t headerSize = in_.U32("the header");
    const unsigned columnCount = in_.U16("the header");
    const std::uint32_t rowCount = in_.U32("the header");
    const std::uint32_t flags = in_.U32("the header");
    const unsigned rowOffset = in_.U16("the header");
    if (headerSize < HeaderSize || headerSize > static_cast<std::uint64_t>(in_.Size())) {
        in_.Fail("the header gives its own size as " + std::to_string(headerSize) +
                 " bytes; it must be at least 24 and within the data");
    }
    in_.Seek(headerSize);
    in_.CheckCount(columnCount, MinColumnSize, "the column count");
    for (unsigned i = 0; i < columnCount; ++i) {
        ReadColumn(static_cast<int>(i));
    }
    const unsigned datasetPropertyCount = in_.U16("the count of dataset properties");
    in_.CheckCount(datasetPropertyCount, MinPropertySize, "the count of dataset properties");
    for (unsigned i = 0; i < datasetPropertyCount; ++i) {
        ReadProperty("the dataset");
    }
    if ((flags & DataOffsetPresent) != 0) {
        if (rowOffset < in_.Position() || rowOffset > in_.Size()) {
            in_.Fail("the header puts the first row at byte " + std::to_string(rowOffset) +
                     ", which is not between the end of the columns and the end of the data");
        }
        in_.Seek(rowOffset);
    }
    const qsizetype flagBytes = (columnCount + 3) / 4;
    in_.CheckCount(rowCount, 1 + flagBytes, "the row count");
    packet_.rows.reserve(rowCount);
    std::optional<std::size_t> lastOriginal;
    // The values of the row being read, kept between rows for its room.
    std::vector<TRowEntry> entries;
    for (std::uint32_t r = 0; r < rowCount; ++r) {
        const What what = What::Row(r);
        TRow row;
        row.status = in_.U8(what);
        const char* nullFlags = in_.Take(flagBytes, what);
        const auto flagOf = [nullFlags](unsigned c) {
            return (static_cast<std::uint8_t>(nullFlags[c / 4]) >> (2 * (c % 4))) & 3;
        };
        // A column unchanged in a delta has the value of the original the row supersedes; an
        // original is whole, whatever else its state says.
        bool keepsAny = false;
        for (unsigned c = 0; c < columnCount && !keepsAny; ++c) {
            keepsAny = flagOf(c) == 2;
        }
        const TRowValues* original = keepsAny && lastOriginal && (row.status & rsOriginal) == 0
                                         ? &packet_.rows[*lastOriginal].values
                                         : nullptr;
        entries.clear();
        for (unsigned c = 0; c < columnCount; ++c) {
            const unsigned flag = flagOf(c);
            if (flag == 0) {
                entries.push_back({c, ReadValue(c, r)});
            } else if (flag != 2 && original != nullptr) {
                // Null here, whatever the original holds.
                entries.push_back({c, {}});
            }
        }
        row.values = TRowValues::FromEntries(columnCount, entries, original);
        if ((row.status & rsOriginal) != 0) {
            lastOriginal = packet_.rows.size();
        }
        packet_.rows.push_back(std::move(row));
    }
    return std::move(packet_);
}

} // namespace

bool IsBinaryPacket(const QByteArray& bytes) {
    return bytes.startsWith("\x96\x19\xE0\xBD");
}

TDataPacket ReadBinaryPacket(const QByteArray& bytes, const AnsiString& source) {
    if (!IsBinaryPacket(bytes)) {
        Db::RaiseDatabaseError(source + ": the data does not begin with the binary packet's mark");
    }
    return PacketReader(bytes, source).Read();
}

} // namespace Datapacket
