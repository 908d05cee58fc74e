#include "datapacketquote.h"
#include "datapackettypes.h"
#include "datapacketxmlcontrol.h"
#include "framework/data/datapacketvalue.h"
#include "framework/data/datapacketxml.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <expat.h>
#include <memory>
#include <new>
#include <optional>

namespace Datapacket {

using Db::TFieldType;

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");
// The parser gives a name with a namespace as "namespace, separator, local name"; no name holds
// a line feed.
constexpr XML_Char NamespaceSeparator = '\n';

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayView WithoutLeadingSpace(QByteArrayView text) {
    qsizetype start = 0;
    while (start < text.size() && IsSpace(text[start])) {
        ++start;
    }
    return text.sliced(start);
}

bool Is(QStringView text, const char* expected) {
    return text.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

// Names are matched without their namespace, which the packets' writers never give.
const XML_Char* LocalName(const XML_Char* name) {
    const XML_Char* separator = std::strrchr(name, NamespaceSeparator);
    return separator == nullptr ? name : separator + 1;
}

// Whether an element or attribute has that name, matched without regard to case.
bool IsName(const XML_Char* name, const char* expected) {
    return qstricmp(LocalName(name), expected) == 0;
}

// A value that begins with U+FEFF keeps it: there it is a character of the value, which the
// plain UTF-8 conversion would take for a byte-order mark and drop.
QString Value(const XML_Char* value) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return RestoreControlCharacters(decoder(value));
}

// The attribute of that name in the parser's list (name, value, ..., null).
std::optional<QString> Attribute(const XML_Char** attributes, const char* name) {
    for (; *attributes != nullptr; attributes += 2) {
        if (IsName(attributes[0], name)) {
            return Value(attributes[1]);
        }
    }
    return std::nullopt;
}

// Whether the declaration says UTF-8; without one, the text is the framework's raw Latin-1.
bool DeclaresUtf8(QByteArrayView text) {
    if (!text.startsWith("<?xml")) {
        return false;
    }
    static const QRegularExpression encoding(R"(^<\?xml[^>]*\bencoding\s*=\s*["']\s*utf-?8\s*["'])",
                                             QRegularExpression::CaseInsensitiveOption);
    const qsizetype end = text.indexOf("?>");
    return end > 0 && encoding.match(QString::fromLatin1(text.first(end))).hasMatch();
}

// Eight digits, year, month and day. Read by hand: a date parser taking a format costs more than
// the rest of a row together.
bool ParseDate(QStringView text, long long& day) {
    if (text.size() != 8) {
        return false;
    }
    int digits[8];
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') {
            return false;
        }
        digits[i] = text[i].unicode() - u'0';
    }
    const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3],
                     digits[4] * 10 + digits[5], digits[6] * 10 + digits[7]);
    if (!date.isValid()) {
        return false;
    }
    day = DateToDayNumber(date);
    return ValidDayNumber(day);
}

// HH:MM:SS followed by up to three digits of milliseconds.
bool ParseTime(QStringView text, long long& ms) {
    static const QRegularExpression time(R"(^([0-9]{2}):([0-9]{2}):([0-9]{2})([0-9]{0,3})$)");
    const QRegularExpressionMatch match = time.match(text.toString());
    if (!match.hasMatch()) {
        return false;
    }
    const int hours = match.capturedView(1).toInt();
    const int minutes = match.capturedView(2).toInt();
    const int seconds = match.capturedView(3).toInt();
    const int millis = match.capturedView(4).toString().leftJustified(3, u'0').toInt();
    if (hours > 23 || minutes > 59 || seconds > 59) {
        return false;
    }
    ms = ((hours * 60LL + minutes) * 60 + seconds) * 1000 + millis;
    return true;
}

bool ParseDateTime(QStringView text, double& stored) {
    TDayTime value;
    if (!ParseDate(text.left(8), value.day)) {
        return false;
    }
    if (text.size() > 8 && (text[8] != u'T' || !ParseTime(text.mid(9), value.ms))) {
        return false;
    }
    stored = JoinStoredDateTime(value);
    return true;
}

// Sorts a row's values by column; of two attributes for one column, the later one counts.
void PutInColumnOrder(std::vector<TRowEntry>& entries) {
    const auto byColumn = [](const TRowEntry& a, const TRowEntry& b) {
        return a.column < b.column;
    };
    // Attributes come in the order of the columns, unless another writer chose otherwise.
    if (!std::is_sorted(entries.begin(), entries.end(), byColumn)) {
        std::stable_sort(entries.begin(), entries.end(), byColumn);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (kept > 0 && entries[kept - 1].column == entries[i].column) {
            entries[kept - 1] = std::move(entries[i]);
        } else {
            if (kept != i) {
                entries[kept] = std::move(entries[i]);
            }
            ++kept;
        }
    }
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(kept), entries.end());
}

class XmlPacketReader {
public:
    explicit XmlPacketReader(const AnsiString& source) : source_(source) {}

    TDataPacket Read(QByteArrayView text, bool utf8);

private:
    // Where the parser is among the elements a packet is read from.
    enum class TPlace { Document, Packet, Metadata, Fields, Rows };

    [[noreturn]] void Fail(const AnsiString& fault) const {
        Db::RaiseDatabaseError(source_ + ": " + fault);
    }
    // An exception must not cross the parser, a C library: it is kept, and the parser stopped.
    template <class Action> static void Guarded(void* reader, const Action& action);
    static void OnStart(void* reader, const XML_Char* name, const XML_Char** attributes);
    static void OnEnd(void* reader, const XML_Char* name);
    static void OnDoctype(void* reader, const XML_Char* name, const XML_Char* systemId,
                          const XML_Char* publicId, int hasInternalSubset);
    void Start(const XML_Char* name, const XML_Char** attributes);
    void End();
    void ReadField(const XML_Char** attributes);
    void ReadRow(const XML_Char** attributes);
    TValue ParseValue(const TColumn& column, const QString& text, std::size_t row) const;
    std::optional<std::size_t> ColumnOf(const XML_Char* name);
    int IntegerAttribute(const XML_Char** attributes, const char* name,
                         const AnsiString& column) const;

    AnsiString source_;
    XML_Parser parser_ = nullptr;
    // What a handler raised: the parser stops at once, and the exception leaves after it.
    std::exception_ptr failure_;
    TPlace place_ = TPlace::Document;
    // The depth inside an element that is skipped whole (a FIELD's or ROW's content, or an
    // element a packet does not use); 0 outside one.
    int skipped_ = 0;
    bool metadataSeen_ = false;
    TDataPacket packet_;
    // The column of each attrname, case-folded: a row's attributes match without regard to case.
    // The first of two columns with the same attrname takes the values.
    QHash<QString, std::size_t> columnByKey_;
    // The column of each attribute name as the rows spell it, none for a name of no column. The
    // rows repeat their names, so each is case-folded and looked up once; a new column empties it.
    QHash<QByteArray, std::optional<std::size_t>> columnByName_;
    std::optional<std::size_t> lastOriginal_;
    // The values of the row being read, kept between rows for its room.
    std::vector<TRowEntry> entries_;
};

int XmlPacketReader::IntegerAttribute(const XML_Char** attributes, const char* name,
                                      const AnsiString& column) const {
    const std::optional<QString> text = Attribute(attributes, name);
    if (!text) {
        return 0;
    }
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < 0) {
        Fail("the " + AnsiString(name) + " of field '" + column + "' is " +
             QuotedValue(FromQString(*text)) + ", not a whole number of 0 or more");
    }
    return value;
}

void XmlPacketReader::ReadField(const XML_Char** attributes) {
    const std::optional<QString> attributeName = Attribute(attributes, "attrname");
    if (!attributeName || attributeName->isEmpty()) {
        Fail("a FIELD element has no attrname to name its column");
    }
    TColumn column;
    column.name = FromQString(Attribute(attributes, "fieldname").value_or(*attributeName));
    const QString fieldType = Attribute(attributes, "fieldtype").value_or(QString());
    const QString subtype = Attribute(attributes, "SUBTYPE").value_or(QString());
    const int width = IntegerAttribute(attributes, "WIDTH", column.name);
    column.decimals = IntegerAttribute(attributes, "DECIMALS", column.name);
    const std::pair<const char*, unsigned> flags[] = {{"hidden", caHidden},
                                                      {"readonly", caReadOnly},
                                                      {"required", caRequired},
                                                      {"linkfield", caLink}};
    for (const auto& [name, flag] : flags) {
        if (Is(Attribute(attributes, name).value_or(QString()), "true")) {
            column.attributes |= flag;
        }
    }
    const TStoredForm* form = FindXmlForm(fieldType);
    if (form == nullptr) {
        Fail("field '" + column.name + "' has the fieldtype " +
             QuotedValue(FromQString(fieldType)) +
             ", which names no kind of field this reader knows");
    }
    SetColumnType(column, *form, width, subtype);
    const QString key = attributeName->toCaseFolded();
    if (!columnByKey_.contains(key)) {
        columnByKey_.insert(key, packet_.columns.size());
        columnByName_.clear();
    }
    packet_.columns.push_back(column);
}

std::optional<std::size_t> XmlPacketReader::ColumnOf(const XML_Char* name) {
    // A view of the parser's text: looking a name up copies nothing.
    const QByteArray spelled = QByteArray::fromRawData(name, qsizetype(std::strlen(name)));
    const auto known = columnByName_.constFind(spelled);
    if (known != columnByName_.cend()) {
        return *known;
    }
    std::optional<std::size_t> column;
    const auto found = columnByKey_.constFind(QString::fromUtf8(LocalName(name)).toCaseFolded());
    if (found != columnByKey_.cend()) {
        column = *found;
    }
    columnByName_.insert(QByteArray(name), column);
    return column;
}

TValue XmlPacketReader::ParseValue(const TColumn& column, const QString& text,
                                   std::size_t row) const {
    bool ok = true;
    TValue value;
    switch (column.type) {
    case TFieldType::ftString:
        value = FromQString(WithoutTrailingNuls(text));
        break;
    case TFieldType::ftWideString:
        value = WithoutTrailingNuls(text);
        break;
    case TFieldType::ftBoolean:
        ok = !text.isEmpty() && QStringLiteral("TtFf").contains(text[0]);
        value = ok && text[0].toUpper() == u'T';
        break;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        const double number = text.toDouble(&ok);
        // A four-byte float holds no more than its own precision.
        value = column.bytes == 4 ? static_cast<double>(static_cast<float>(number)) : number;
        break;
    }
    case TFieldType::ftBCD: {
        AnsiString decimal;
        ok = NormalizeDecimal(FromQString(text.trimmed()), decimal);
        value = decimal;
        break;
    }
    case TFieldType::ftDate: {
        long long day = 0;
        ok = ParseDate(text, day);
        value = day;
        break;
    }
    case TFieldType::ftTime: {
        long long ms = 0;
        ok = ParseTime(text, ms);
        value = ms;
        break;
    }
    case TFieldType::ftDateTime: {
        double stored = 0;
        ok = ParseDateTime(text, stored);
        value = stored;
        break;
    }
    case TFieldType::ftMemo:
    case TFieldType::ftBlob: {
        if (XmlHoldsText(column)) {
            value = QByteArray::fromStdString(FromQString(text));
            break;
        }
        // Characters outside Latin-1 become '?', which the decoder rejects.
        QByteArray base64 = text.toLatin1();
        base64.removeIf([](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; });
        const auto decoded =
            QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
        ok = static_cast<bool>(decoded);
        value = decoded.decoded;
        break;
    }
    default: {
        const long long number = column.isUnsigned && column.bytes == 8
                                     ? static_cast<long long>(text.toULongLong(&ok))
                                     : text.toLongLong(&ok);
        ok = ok && (column.bytes == 8 || ValidIntegerValue(column, number));
        value = number;
        break;
    }
    }
    if (!ok) {
        Fail("row " + std::to_string(row + 1) + ": " + QuotedValue(FromQString(text)) +
             " for field '" + column.name + "' is not " + Db::DescribeFieldType(column.type));
    }
    return value;
}

void XmlPacketReader::ReadRow(const XML_Char** attributes) {
    const std::size_t index = packet_.rows.size();
    TRow row;
    if (const std::optional<QString> state = Attribute(attributes, "RowState")) {
        bool ok = false;
        const unsigned status = state->toUInt(&ok);
        if (!ok || status > 0xFF) {
            Fail("row " + std::to_string(index + 1) + ": the RowState " +
                 QuotedValue(FromQString(*state)) + " is not a number from 0 to 255");
        }
        row.status = static_cast<std::uint8_t>(status);
    }
    entries_.clear();
    for (; *attributes != nullptr; attributes += 2) {
        if (const std::optional<std::size_t> column = ColumnOf(attributes[0])) {
            entries_.push_back(
                {*column, ParseValue(packet_.columns[*column], Value(attributes[1]), index)});
        }
    }
    PutInColumnOrder(entries_);
    // A modified row carries only what changed; the rest is its original's, which lacks the
    // columns of any METADATA after it. An original is whole, whatever else its state says.
    const bool changesOriginal =
        (row.status & rsModified) != 0 && (row.status & rsOriginal) == 0 && lastOriginal_;
    row.values =
        TRowValues::FromEntries(packet_.columns.size(), entries_,
                                changesOriginal ? &packet_.rows[*lastOriginal_].values : nullptr);
    if ((row.status & rsOriginal) != 0) {
        lastOriginal_ = index;
    }
    packet_.rows.push_back(std::move(row));
}

void XmlPacketReader::Start(const XML_Char* name, const XML_Char** attributes) {
    if (skipped_ > 0) {
        ++skipped_;
        return;
    }
    switch (place_) {
    case TPlace::Document:
        if (!IsName(name, "DATAPACKET")) {
            Fail("the document's outermost element is not DATAPACKET, so it holds no data packet");
        }
        place_ = TPlace::Packet;
        return;
    case TPlace::Packet:
        if (IsName(name, "METADATA")) {
            metadataSeen_ = true;
            place_ = TPlace::Metadata;
            return;
        }
        if (IsName(name, "ROWDATA")) {
            place_ = TPlace::Rows;
            return;
        }
        break;
    case TPlace::Metadata:
        if (IsName(name, "FIELDS")) {
            place_ = TPlace::Fields;
            return;
        }
        break;
    case TPlace::Fields:
        if (IsName(name, "FIELD")) {
            ReadField(attributes);
        }
        break;
    case TPlace::Rows:
        if (IsName(name, "ROW")) {
            ReadRow(attributes);
        }
        break;
    }
    skipped_ = 1;
}

void XmlPacketReader::End() {
    if (skipped_ > 0) {
        --skipped_;
        return;
    }
    switch (place_) {
    case TPlace::Fields:
        place_ = TPlace::Metadata;
        break;
    case TPlace::Metadata:
    case TPlace::Rows:
        place_ = TPlace::Packet;
        break;
    case TPlace::Packet:
    case TPlace::Document:
        place_ = TPlace::Document;
        break;
    }
}

template <class Action> void XmlPacketReader::Guarded(void* reader, const Action& action) {
    auto* self = static_cast<XmlPacketReader*>(reader);
    if (self->failure_) {
        return;
    }
    try {
        action(*self);
    } catch (...) {
        self->failure_ = std::current_exception();
        XML_StopParser(self->parser_, XML_FALSE);
    }
}

void XmlPacketReader::OnStart(void* reader, const XML_Char* name, const XML_Char** attributes) {
    Guarded(reader, [&](XmlPacketReader& self) { self.Start(name, attributes); });
}

void XmlPacketReader::OnEnd(void* reader, const XML_Char*) {
    static_cast<XmlPacketReader*>(reader)->End();
}

// A data packet has no document type declaration. Refused before its entities and attribute
// defaults are read: a few bytes of them may expand to megabytes of values.
void XmlPacketReader::OnDoctype(void* reader, const XML_Char*, const XML_Char*, const XML_Char*,
                                int) {
    Guarded(reader, [](XmlPacketReader& self) {
        self.Fail("the XML has a document type declaration, which no data packet carries");
    });
}

TDataPacket XmlPacketReader::Read(QByteArrayView text, bool utf8) {
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreateNS(utf8 ? "UTF-8" : "ISO-8859-1", NamespaceSeparator), &XML_ParserFree);
    if (!parser) {
        throw std::bad_alloc();
    }
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetStartDoctypeDeclHandler(parser_, OnDoctype);
    // The parser takes at most INT_MAX bytes at a time.
    XML_Status status = XML_STATUS_OK;
    for (bool last = false; status == XML_STATUS_OK && !last;) {
        const auto length = static_cast<int>(std::min<qsizetype>(text.size(), INT_MAX));
        last = length == text.size();
        status = XML_Parse(parser_, text.data(), length, last ? XML_TRUE : XML_FALSE);
        text = text.sliced(length);
    }
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    if (status != XML_STATUS_OK) {
        Fail("the XML cannot be parsed at line " +
             std::to_string(XML_GetCurrentLineNumber(parser_)) + ": " +
             XML_ErrorString(XML_GetErrorCode(parser_)));
    }
    if (!metadataSeen_) {
        Fail("the packet has no METADATA element describing its columns");
    }
    // Rows before a METADATA have a null for each of its columns, as every row has a value per
    // column.
    for (TRow& row : packet_.rows) {
        row.values.resize(packet_.columns.size());
    }
    return std::move(packet_);
}

} // namespace

bool IsXmlPacket(const QByteArray& bytes) {
    const qsizetype bom = bytes.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    return WithoutLeadingSpace(QByteArrayView(bytes).sliced(bom)).startsWith('<');
}

TDataPacket ReadXmlPacket(const QByteArray& bytes, const AnsiString& source) {
    const qsizetype bom = bytes.startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    // White space before the declaration is tolerated, as when the form is told apart.
    const QByteArrayView text = WithoutLeadingSpace(QByteArrayView(bytes).sliced(bom));
    const bool utf8 = bom > 0 || DeclaresUtf8(text);
    if (utf8 && !text.isValidUtf8()) {
        Db::RaiseDatabaseError(source + ": the XML is marked as UTF-8, but its bytes are not");
    }
    return XmlPacketReader(source).Read(MaskControlReferences(text, utf8), utf8);
}

} // namespace Datapacket
