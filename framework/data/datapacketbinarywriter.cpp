#include "datapacketbcd.h"
#include "datapacketoutput.h"
#include "datapacketquote.h"
#include "datapackettypes.h"
#include "framework/data/datapacketbinary.h"

#include <QtEndian>
#include <cstring>

namespace Datapacket {

using Db::TFieldType;

namespace {

// The sizes this writer gives the kinds whose size is not their column's.
constexpr unsigned BooleanSize = 2;
constexpr unsigned DateOrTimeSize = 4;
constexpr unsigned DateTimeSize = 8;
constexpr unsigned BlobPrefixSize = 4;
// WIDTH, DECIMALS: an unsigned of two bytes.
constexpr std::uint32_t WordPropertyWord = MakeTypeWord(tcUnsigned, 2);
constexpr std::uint32_t MetadataPresent = 1;
constexpr std::uint32_t DataOffsetPresent = 2;

class PacketWriter {
public:
    PacketWriter(const TDataPacket& packet, QIODevice& device, const AnsiString& target)
        : packet_(packet), target_(target), output_(device, target), out_(output_.Buffer()) {}

    void Write();

private:
    [[noreturn]] void Fail(const AnsiString& fault) const {
        Db::RaiseDatabaseError(target_ + ": " + fault);
    }
    void U8(unsigned value) { out_.append(static_cast<char>(value)); }
    void U16(unsigned value) {
        out_.append(static_cast<char>(value & 0xFF)).append(static_cast<char>(value >> 8));
    }
    void U32(std::uint32_t value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        out_.append(bytes, 4);
    }
    void U64(std::uint64_t value) {
        char bytes[8];
        qToLittleEndian(value, bytes);
        out_.append(bytes, 8);
    }
    void Double(double value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        U64(bits);
    }
    void Name(const AnsiString& name, const AnsiString& what);
    void Prefix(qsizetype size, unsigned prefix);
    void WordProperty(const char* name, qsizetype value, const TColumn& column);
    void TextProperty(const char* name, const AnsiString& value);
    // The longest string in each column, in bytes, from one pass over the values.
    void MeasureStrings();
    // The declared width in bytes, widened to hold the column's longest value.
    qsizetype StoredWidth(std::size_t column, qsizetype declared) const;
    void WriteColumn(std::size_t index);
    void WriteValue(std::size_t column, const TValue& value);
    // The stored size of a string.
    qsizetype StringSize(std::size_t column, const TValue& value) const;

    template <class T> const T& Get(const TColumn& column, const TValue& value) const {
        return ValueAs<T>(column, value, target_);
    }

    const TDataPacket& packet_;
    AnsiString target_;
    TPacketOutput output_;
    QByteArray& out_;
    std::vector<unsigned> prefixes_;
    std::vector<qsizetype> longest_;
};

void PacketWriter::Name(const AnsiString& name, const AnsiString& what) {
    if (name.size() > 0xFF) {
        Fail("the name of " + what + " is longer than the 255 bytes the binary form can store");
    }
    U8(static_cast<unsigned>(name.size()));
    out_.append(name.data(), static_cast<qsizetype>(name.size()));
}

void PacketWriter::Prefix(qsizetype size, unsigned prefix) {
    const auto stored = static_cast<std::uint32_t>(size);
    if (prefix == 1) {
        U8(stored);
    } else if (prefix == 2) {
        U16(stored);
    } else {
        U32(stored);
    }
}

void PacketWriter::WordProperty(const char* name, qsizetype value, const TColumn& column) {
    if (value < 0 || value > 0xFFFF) {
        Fail("the " + AnsiString(name) + " of field '" + column.name + "' is " +
             std::to_string(value) + ", beyond the 0 to 65535 the binary form can store");
    }
    Name(name, "property '" + AnsiString(name) + "'");
    U32(WordPropertyWord);
    U16(static_cast<unsigned>(value));
}

void PacketWriter::TextProperty(const char* name, const AnsiString& value) {
    Name(name, "property '" + AnsiString(name) + "'");
    // A NUL-terminated string: the type word's size counts the terminator.
    U32(MakeTypeWord(tcString, static_cast<unsigned>(value.size() + 1)));
    out_.append(value.data(), static_cast<qsizetype>(value.size())).append('\0');
}

void PacketWriter::MeasureStrings() {
    longest_.assign(packet_.columns.size(), 0);
    for (const TRow& row : packet_.rows) {
        row.values.ForEachValue([this](std::size_t column, const TValue& value) {
            longest_[column] = std::max(longest_[column], StringSize(column, value));
        });
    }
}

qsizetype PacketWriter::StoredWidth(std::size_t column, qsizetype declared) const {
    return std::max({declared, qsizetype(1), longest_[column]});
}

// The length prefix of a variable-length value: as small as the width allows.
unsigned PrefixSize(qsizetype width) {
    return width <= 0xFF ? 1 : width <= 0xFFFF ? 2 : 4;
}

void PacketWriter::WriteColumn(std::size_t index) {
    const TColumn& column = packet_.columns[index];
    Name(column.name, "field '" + column.name + "'");
    if (column.type == TFieldType::ftUnknown) {
        Fail("field '" + column.name + "' has no field type, so it cannot be stored");
    }
    const TStoredForm& form = WrittenForm(column);
    unsigned prefix = 0;
    std::uint32_t word = 0;
    std::vector<std::pair<const char*, qsizetype>> words;
    switch (form.code) {
    case tcString:
    case tcWideString: {
        const qsizetype width = StoredWidth(index, WrittenWidth(column));
        prefix = PrefixSize(width);
        word = MakeTypeWord(form.code, prefix, true);
        words.emplace_back("WIDTH", width);
        break;
    }
    case tcInteger:
    case tcUnsigned:
        // An integer is never widened here: one of a size no form has is refused.
        if (form.bytes != column.bytes) {
            Fail("field '" + column.name + "' is a whole number of " +
                 std::to_string(column.bytes) + " bytes, a size the binary form does not store");
        }
        word = MakeTypeWord(form.code, static_cast<unsigned>(form.bytes));
        break;
    case tcFloat:
        word = MakeTypeWord(form.code, static_cast<unsigned>(form.bytes));
        break;
    case tcBoolean:
        word = MakeTypeWord(form.code, BooleanSize);
        break;
    case tcBcd:
        word = MakeTypeWord(form.code, BcdSize);
        words.emplace_back("WIDTH", WrittenWidth(column));
        words.emplace_back("DECIMALS", column.decimals);
        break;
    case tcDate:
    case tcTime:
        word = MakeTypeWord(form.code, DateOrTimeSize);
        break;
    case tcDateTime:
        word = MakeTypeWord(form.code, DateTimeSize);
        break;
    case tcBytes:
        prefix = BlobPrefixSize;
        word = MakeTypeWord(form.code, prefix, true);
        break;
    }
    prefixes_.push_back(prefix);
    U32(word);
    U16(column.attributes & 0xFFFF);
    const AnsiString subtype = WrittenSubtype(column);
    U16(static_cast<unsigned>(words.size() + (subtype.empty() ? 0 : 1)));
    for (const auto& [name, value] : words) {
        WordProperty(name, value, column);
    }
    if (!subtype.empty()) {
        TextProperty("SUBTYPE", subtype);
    }
}

qsizetype PacketWriter::StringSize(std::size_t index, const TValue& value) const {
    const TColumn& column = packet_.columns[index];
    switch (column.type) {
    case TFieldType::ftString:
        return static_cast<qsizetype>(Get<TText>(column, value).Str().size());
    case TFieldType::ftWideString:
        return 2 * Get<QString>(column, value).size();
    default:
        return 0;
    }
}

void PacketWriter::WriteValue(std::size_t index, const TValue& value) {
    const TColumn& column = packet_.columns[index];
    switch (column.type) {
    case TFieldType::ftString: {
        const AnsiString& text = Get<TText>(column, value).Str();
        Prefix(static_cast<qsizetype>(text.size()), prefixes_[index]);
        out_.append(text.data(), static_cast<qsizetype>(text.size()));
        return;
    }
    case TFieldType::ftWideString: {
        const QString& text = Get<QString>(column, value);
        Prefix(2 * text.size(), prefixes_[index]);
        const qsizetype at = out_.size();
        out_.resize(at + 2 * text.size());
        qToLittleEndian<char16_t>(text.constData(), text.size(), out_.data() + at);
        return;
    }
    case TFieldType::ftMemo:
    case TFieldType::ftBlob: {
        const QByteArray& bytes = Get<QByteArray>(column, value);
        Prefix(bytes.size(), prefixes_[index]);
        out_.append(bytes);
        return;
    }
    case TFieldType::ftBoolean:
        U16(Get<bool>(column, value) ? 1 : 0);
        return;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        const double number = Get<double>(column, value);
        if (column.bytes == 4) {
            const auto single = static_cast<float>(number);
            std::uint32_t bits = 0;
            std::memcpy(&bits, &single, sizeof bits);
            U32(bits);
        } else {
            Double(number);
        }
        return;
    }
    case TFieldType::ftBCD: {
        const auto bytes = EncodeBcd(Get<TText>(column, value).Str());
        if (!bytes) {
            Fail("field '" + column.name + "' holds " +
                 QuotedValue(Get<TText>(column, value).Str()) +
                 ", which a stored exact decimal cannot keep");
        }
        out_.append(*bytes);
        return;
    }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
        U32(static_cast<std::uint32_t>(Get<long long>(column, value)));
        return;
    case TFieldType::ftDateTime:
        Double(Get<double>(column, value));
        return;
    default:
        break;
    }
    const auto number = static_cast<std::uint64_t>(Get<long long>(column, value));
    for (int i = 0; i < column.bytes; ++i) {
        U8(static_cast<unsigned>((number >> (8 * i)) & 0xFF));
    }
}

void PacketWriter::Write() {
    const std::size_t columnCount = packet_.columns.size();
    if (columnCount > 0xFFFF || packet_.rows.size() > 0xFFFFFFFFU) {
        Fail("the binary form stores at most 65535 columns and 4294967295 rows");
    }
    for (std::size_t r = 0; r < packet_.rows.size(); ++r) {
        if (packet_.rows[r].values.size() != columnCount) {
            Fail("row " + std::to_string(r + 1) + " has " +
                 std::to_string(packet_.rows[r].values.size()) + " values for " +
                 std::to_string(columnCount) + " columns");
        }
    }
    out_.append("\x96\x19\xE0\xBD", 4);
    U16(1);
    U16(0);
    U32(24);
    U16(static_cast<unsigned>(columnCount));
    U32(static_cast<std::uint32_t>(packet_.rows.size()));
    U32(MetadataPresent | DataOffsetPresent);
    U16(0);
    MeasureStrings();
    for (std::size_t i = 0; i < columnCount; ++i) {
        WriteColumn(i);
    }
    U16(0);
    // The offset of the rows has 16 bits; past them the rows follow the descriptors unannounced.
    if (out_.size() <= 0xFFFF) {
        qToLittleEndian(static_cast<std::uint16_t>(out_.size()), out_.data() + 22);
    } else {
        qToLittleEndian(MetadataPresent, out_.data() + 18);
    }
    // Every column null, two bits of 01 each, until a value says otherwise; the bits past the
    // last column stay 0.
    QByteArray allNull((static_cast<qsizetype>(columnCount) + 3) / 4, '\x55');
    if (columnCount % 4 != 0) {
        allNull.back() = static_cast<char>(((1 << (2 * (columnCount % 4))) - 1) & 0x55);
    }
    for (const TRow& row : packet_.rows) {
        U8(row.status);
        const qsizetype flagsAt = out_.size();
        out_.append(allNull);
        row.values.ForEachValue([this, flagsAt](std::size_t column, const TValue&) {
            char& flags = out_.data()[flagsAt + static_cast<qsizetype>(column / 4)];
            flags = static_cast<char>(flags & ~(3 << (2 * (column % 4))));
        });
        row.values.ForEachValue(
            [this](std::size_t column, const TValue& value) { WriteValue(column, value); });
        output_.Pass();
    }
    output_.Flush();
}

} // namespace

void WriteBinaryPacket(const TDataPacket& packet, QIODevice& device, const AnsiString& target) {
    PacketWriter(packet, device, target).Write();
}

QByteArray WriteBinaryPacket(const TDataPacket& packet, const AnsiString& target) {
    return WrittenBytes([&](QIODevice& device) { WriteBinaryPacket(packet, device, target); });
}

} // namespace Datapacket
