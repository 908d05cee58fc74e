#include "framework/data/datapacketvalue.h"
#include "framework/data/datapacketxml.h"
#include "framework/data/datapacketxmlcontrol.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <optional>

namespace Datapacket {

using Db::TFieldType;

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool Is(QStringView name, const char* expected) {
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

// The attribute of that name, matched without regard to case.
std::optional<QString> Attribute(const QXmlStreamAttributes& attributes, const char* name) {
    for (const QXmlStreamAttribute& attribute : attributes) {
        if (Is(attribute.name(), name)) {
            return RestoreControlCharacters(attribute.value().toString());
        }
    }
    return std::nullopt;
}

// The text as the parser must see it: UTF-8 when a byte-order mark or the declaration says
// so, otherwise the framework's raw Latin-1 bytes.
bool DecodeText(const QByteArray& bytes, QString& text) {
    if (bytes.startsWith(Utf8Bom)) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        text = decoder(bytes.mid(Utf8Bom.size()));
        return !decoder.hasError();
    }
    const QByteArray start = bytes.trimmed();
    if (start.startsWith("<?xml")) {
        static const QRegularExpression encoding(
            R"(^<\?xml[^>]*\bencoding\s*=\s*["']\s*utf-?8\s*["'])",
            QRegularExpression::CaseInsensitiveOption);
        const qsizetype end = start.indexOf("?>");
        if (end > 0 && encoding.match(QString::fromLatin1(start.left(end))).hasMatch()) {
            QStringDecoder decoder(QStringDecoder::Utf8);
            text = decoder(bytes);
            return !decoder.hasError();
        }
    }
    text = QString::fromLatin1(bytes);
    return true;
}

bool ParseDate(QStringView text, long long& day) {
    if (text.size() != 8) {
        return false;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    const QDate date = QDate::fromString(text.toString(), QStringLiteral("yyyyMMdd"));
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

// As in the binary form, a string ends before any NULs at its end.
QString WithoutTrailingNuls(QString text) {
    while (text.endsWith(QChar(0))) {
        text.chop(1);
    }
    return text;
}

bool IsMemoSubtype(const QString& subtype) {
    return subtype == QLatin1String("Text") || subtype == QLatin1String("WideText") ||
           subtype == QLatin1String("Formatted");
}

class XmlPacketReader {
public:
    XmlPacketReader(const QString& text, const AnsiString& source) : xml_(text), source_(source) {}

    TDataPacket Read();

private:
    [[noreturn]] void Fail(const AnsiString& fault) const {
        Db::DatabaseError(source_ + ": " + fault);
    }
    void ReadMetadata();
    void ReadField();
    void ReadRow();
    TValue ParseValue(const TColumn& column, const QString& text, std::size_t row) const;
    int IntegerAttribute(const QXmlStreamAttributes& attributes, const char* name,
                         const AnsiString& column) const;
    // The next child element of the current one; false at its end.
    bool NextChild();

    QXmlStreamReader xml_;
    AnsiString source_;
    TDataPacket packet_;
    // The column of each attrname, case-folded: a row's attributes match without regard to case.
    // The first of two columns with the same attrname takes the values.
    QHash<QString, std::size_t> columnByKey_;
    std::optional<std::size_t> lastOriginal_;
};

bool XmlPacketReader::NextChild() {
    return xml_.readNextStartElement();
}

int XmlPacketReader::IntegerAttribute(const QXmlStreamAttributes& attributes, const char* name,
                                      const AnsiString& column) const {
    const std::optional<QString> text = Attribute(attributes, name);
    if (!text) {
        return 0;
    }
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok || value < 0) {
        Fail("bad " + AnsiString(name) + " of field '" + column + "'");
    }
    return value;
}

void XmlPacketReader::ReadField() {
    const QXmlStreamAttributes attributes = xml_.attributes();
    const std::optional<QString> attributeName = Attribute(attributes, "attrname");
    if (!attributeName || attributeName->isEmpty()) {
        Fail("FIELD without attrname");
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
    struct Kind {
        const char* name;
        TFieldType type;
        int bytes;
        bool isUnsigned;
    };
    static const Kind kinds[] = {
        {"string", TFieldType::ftString, 0, false},
        {"string.uni", TFieldType::ftWideString, 0, false},
        {"i1", TFieldType::ftSmallint, 1, false},
        {"i2", TFieldType::ftSmallint, 2, false},
        {"i4", TFieldType::ftInteger, 4, false},
        {"i8", TFieldType::ftLargeint, 8, false},
        {"ui1", TFieldType::ftWord, 1, true},
        {"ui2", TFieldType::ftWord, 2, true},
        {"ui4", TFieldType::ftLargeint, 4, true},
        {"ui8", TFieldType::ftLargeint, 8, true},
        {"boolean", TFieldType::ftBoolean, 0, false},
        {"r4", TFieldType::ftFloat, 4, false},
        {"r8", TFieldType::ftFloat, 8, false},
        {"r10", TFieldType::ftFloat, 8, false},
        {"fixed", TFieldType::ftBCD, 0, false},
        {"fixedFMT", TFieldType::ftBCD, 0, false},
        {"date", TFieldType::ftDate, 0, false},
        {"time", TFieldType::ftTime, 0, false},
        {"dateTime", TFieldType::ftDateTime, 0, false},
        {"bin.hex", TFieldType::ftBlob, 0, false},
    };
    const Kind* kind = nullptr;
    for (const Kind& candidate : kinds) {
        if (Is(fieldType, candidate.name)) {
            kind = &candidate;
        }
    }
    if (kind == nullptr) {
        Fail("unknown field type '" + FromQString(fieldType) + "' of field '" + column.name + "'");
    }
    column.type = kind->type;
    column.bytes = kind->bytes;
    column.isUnsigned = kind->isUnsigned;
    switch (column.type) {
    case TFieldType::ftString:
    case TFieldType::ftBCD:
        column.width = width;
        break;
    case TFieldType::ftWideString:
        column.width = width / 2;
        break;
    case TFieldType::ftInteger:
        if (subtype == QLatin1String("Autoinc")) {
            column.type = TFieldType::ftAutoInc;
        }
        break;
    case TFieldType::ftFloat:
        if (subtype == QLatin1String("Money")) {
            column.type = TFieldType::ftCurrency;
        }
        break;
    case TFieldType::ftBlob:
        column.type = IsMemoSubtype(subtype) ? TFieldType::ftMemo : TFieldType::ftBlob;
        column.subtype = subtype.isEmpty() ? "Binary" : FromQString(subtype);
        break;
    default:
        break;
    }
    const QString key = attributeName->toCaseFolded();
    if (!columnByKey_.contains(key)) {
        columnByKey_.insert(key, packet_.columns.size());
    }
    packet_.columns.push_back(column);
    xml_.skipCurrentElement();
}

void XmlPacketReader::ReadMetadata() {
    while (NextChild()) {
        if (Is(xml_.name(), "FIELDS")) {
            while (NextChild()) {
                if (Is(xml_.name(), "FIELD")) {
                    ReadField();
                } else {
                    xml_.skipCurrentElement();
                }
            }
        } else {
            xml_.skipCurrentElement();
        }
    }
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
        Fail("bad value '" + FromQString(text) + "' of field '" + column.name + "' in row " +
             std::to_string(row + 1));
    }
    return value;
}

void XmlPacketReader::ReadRow() {
    const QXmlStreamAttributes attributes = xml_.attributes();
    const std::size_t index = packet_.rows.size();
    TRow row;
    if (const std::optional<QString> state = Attribute(attributes, "RowState")) {
        bool ok = false;
        const unsigned status = state->toUInt(&ok);
        if (!ok || status > 0xFF) {
            Fail("bad RowState in row " + std::to_string(index + 1));
        }
        row.status = static_cast<std::uint8_t>(status);
    }
    row.values.resize(packet_.columns.size());
    // A modified row carries only what changed; the rest is its original's.
    if ((row.status & rsModified) != 0 && lastOriginal_) {
        row.values = packet_.rows[*lastOriginal_].values;
    }
    for (const QXmlStreamAttribute& attribute : attributes) {
        const auto column = columnByKey_.constFind(attribute.name().toString().toCaseFolded());
        if (column != columnByKey_.cend()) {
            row.values[*column] =
                ParseValue(packet_.columns[*column],
                           RestoreControlCharacters(attribute.value().toString()), index);
        }
    }
    if ((row.status & rsOriginal) != 0) {
        lastOriginal_ = index;
    }
    packet_.rows.push_back(std::move(row));
    xml_.skipCurrentElement();
}

TDataPacket XmlPacketReader::Read() {
    if (!NextChild() || !Is(xml_.name(), "DATAPACKET")) {
        if (xml_.hasError()) {
            Fail("bad XML: " + FromQString(xml_.errorString()));
        }
        Fail("not a data packet: the root element is not DATAPACKET");
    }
    bool metadataSeen = false;
    while (NextChild()) {
        if (Is(xml_.name(), "METADATA")) {
            ReadMetadata();
            metadataSeen = true;
        } else if (Is(xml_.name(), "ROWDATA")) {
            while (NextChild()) {
                if (Is(xml_.name(), "ROW")) {
                    ReadRow();
                } else {
                    xml_.skipCurrentElement();
                }
            }
        } else {
            xml_.skipCurrentElement();
        }
    }
    while (!xml_.atEnd()) {
        xml_.readNext();
    }
    if (xml_.hasError()) {
        Fail("bad XML at line " + std::to_string(xml_.lineNumber()) + ": " +
             FromQString(xml_.errorString()));
    }
    if (!metadataSeen) {
        Fail("no METADATA");
    }
    return std::move(packet_);
}

} // namespace

bool IsXmlPacket(const QByteArray& bytes) {
    const QByteArray text = bytes.startsWith(Utf8Bom) ? bytes.mid(Utf8Bom.size()) : bytes;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            return c == '<';
        }
    }
    return false;
}

TDataPacket ReadXmlPacket(const QByteArray& bytes, const AnsiString& source) {
    QString text;
    if (!DecodeText(bytes, text)) {
        Db::DatabaseError(source + ": bad XML: not valid UTF-8");
    }
    // White space before the declaration is tolerated, as when the form is told apart.
    qsizetype start = 0;
    while (start < text.size() && text[start].isSpace()) {
        ++start;
    }
    return XmlPacketReader(MaskControlReferences(text.mid(start)), source).Read();
}

} // namespace Datapacket
