#include "datapacketoutput.h"
#include "datapackettypes.h"
#include "framework/data/datapacketvalue.h"
#include "framework/data/datapacketxml.h"

#include <QSet>
#include <cstdio>

namespace Datapacket {

using Db::TFieldType;

namespace {

void AppendCharacterReference(QByteArray& out, unsigned code) {
    char reference[16];
    std::snprintf(reference, sizeof reference, code < 1000 ? "&#%03u;" : "&#%u;", code);
    out.append(reference);
}

// One character of an attribute value. Latin-1 characters go out as raw bytes; line breaks,
// tabs and the backslash as character references, as the framework writes them.
void AppendEscaped(QByteArray& out, unsigned code) {
    switch (code) {
    case '<':
        out.append("&lt;");
        return;
    case '>':
        out.append("&gt;");
        return;
    case '&':
        out.append("&amp;");
        return;
    case '"':
        out.append("&quot;");
        return;
    case '\'':
        out.append("&apos;");
        return;
    case '\\':
        AppendCharacterReference(out, code);
        return;
    default:
        break;
    }
    if (code < 0x20 || code > 0xFF) {
        AppendCharacterReference(out, code);
    } else {
        out.append(static_cast<char>(code));
    }
}

void AppendEscaped(QByteArray& out, const char* text) {
    for (; *text != '\0'; ++text) {
        AppendEscaped(out, static_cast<unsigned char>(*text));
    }
}

void AppendEscaped(QByteArray& out, const AnsiString& text) {
    for (const char c : text) {
        AppendEscaped(out, static_cast<unsigned char>(c));
    }
}

void AppendEscaped(QByteArray& out, const QByteArray& text) {
    for (const char c : text) {
        AppendEscaped(out, static_cast<unsigned char>(c));
    }
}

// What XML cannot hold at all (lone surrogates, U+FFFE, U+FFFF) becomes U+FFFD.
void AppendEscaped(QByteArray& out, const QString& text) {
    for (const char32_t code : text.toUcs4()) {
        AppendEscaped(out,
                      code == 0xFFFE || code == 0xFFFF ? 0xFFFDU : static_cast<unsigned>(code));
    }
}

// Attribute names of ROW must be XML names; a column whose name is not one, is taken already or
// would be taken for RowState, gets a made-up key and its name in fieldname.
bool UsableAttributeName(const AnsiString& name) {
    if (name.empty() || SameFieldName(name, "RowState")) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!letter && (i == 0 || !other)) {
            return false;
        }
    }
    return true;
}

AnsiString DateText(long long day) {
    return DayNumberToDate(day).toString(QStringLiteral("yyyyMMdd")).toStdString();
}

// Seconds and milliseconds run together: 19:30:05250.
AnsiString TimeText(long long ms) {
    return TimeOfDayText(ms, ':', "");
}

class XmlPacketWriter {
public:
    XmlPacketWriter(const TDataPacket& packet, QIODevice& device, const AnsiString& target)
        : packet_(packet), target_(target), output_(device, target), out_(output_.Buffer()) {}

    void Write();

private:
    [[noreturn]] void Fail(const AnsiString& fault) const {
        Db::RaiseDatabaseError(target_ + ": " + fault);
    }
    template <class Text> void Attribute(const AnsiString& name, const Text& value) {
        out_.append(' ').append(name.data(), static_cast<qsizetype>(name.size())).append("=\"");
        AppendEscaped(out_, value);
        out_.append('"');
    }
    void WriteField(std::size_t index);
    void WriteValue(std::size_t index, const TValue& value);
    // A modified row gets from its original every value it does not carry, so a null where the
    // original has a value cannot be written: it would be read as the original's value.
    void CheckModifiedRow(const TRow& row, const TRow& original, std::size_t index) const;

    template <class T> const T& Get(const TColumn& column, const TValue& value) const {
        return ValueAs<T>(column, value, target_);
    }

    const TDataPacket& packet_;
    AnsiString target_;
    TPacketOutput output_;
    QByteArray& out_;
    std::vector<AnsiString> keys_;
    // The keys given so far, case-folded: attribute names are matched without regard to case.
    QSet<QString> foldedKeys_;
};

void XmlPacketWriter::WriteField(std::size_t index) {
    const TColumn& column = packet_.columns[index];
    const auto taken = [this](const AnsiString& candidate) {
        return foldedKeys_.contains(ToQString(candidate).toCaseFolded());
    };
    AnsiString key = column.name;
    if (!UsableAttributeName(key) || taken(key)) {
        key = "FIELD" + std::to_string(index + 1);
        while (taken(key)) {
            key += "_";
        }
    }
    keys_.push_back(key);
    foldedKeys_.insert(ToQString(key).toCaseFolded());
    out_.append("<FIELD");
    Attribute("attrname", key);
    if (key != column.name) {
        Attribute("fieldname", column.name);
    }
    const TStoredForm& form = WrittenForm(column);
    Attribute("fieldtype", form.xmlName);
    const std::pair<unsigned, const char*> flags[] = {{caRequired, "required"},
                                                      {caReadOnly, "readonly"},
                                                      {caHidden, "hidden"},
                                                      {caLink, "linkfield"}};
    for (const auto& [flag, name] : flags) {
        if ((column.attributes & flag) != 0) {
            Attribute(name, "true");
        }
    }
    if (form.code == tcBcd) {
        Attribute("DECIMALS", std::to_string(column.decimals));
    }
    if (form.widthFactor != 0) {
        Attribute("WIDTH", std::to_string(WrittenWidth(column)));
    }
    const AnsiString subtype = WrittenSubtype(column);
    if (!subtype.empty()) {
        Attribute("SUBTYPE", subtype);
    }
    out_.append("/>");
}

void XmlPacketWriter::WriteValue(std::size_t index, const TValue& value) {
    const TColumn& column = packet_.columns[index];
    if (std::holds_alternative<std::monostate>(value)) {
        return;
    }
    AnsiString text;
    switch (column.type) {
    case TFieldType::ftString:
    case TFieldType::ftBCD:
        Attribute(keys_[index], Get<TText>(column, value).Str());
        return;
    case TFieldType::ftWideString:
        Attribute(keys_[index], Get<QString>(column, value));
        return;
    case TFieldType::ftBoolean:
        text = Get<bool>(column, value) ? "TRUE" : "FALSE";
        break;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        text = QByteArray::number(Get<double>(column, value), 'g', QLocale::FloatingPointShortest)
                   .toStdString();
        break;
    case TFieldType::ftDate:
        text = DateText(Get<long long>(column, value));
        break;
    case TFieldType::ftTime:
        text = TimeText(Get<long long>(column, value));
        break;
    case TFieldType::ftDateTime: {
        TDayTime dayTime;
        if (!SplitStoredDateTime(Get<double>(column, value), dayTime)) {
            Fail("field '" + column.name + "' holds a date and time outside the years 1 to 9999");
        }
        text = DateText(dayTime.day) + (dayTime.ms == 0 ? "" : "T" + TimeText(dayTime.ms));
        break;
    }
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
        if (XmlHoldsText(column)) {
            Attribute(keys_[index], Get<QByteArray>(column, value));
            return;
        }
        text = Get<QByteArray>(column, value).toBase64().toStdString();
        break;
    default: {
        const long long number = Get<long long>(column, value);
        text = column.isUnsigned ? std::to_string(static_cast<unsigned long long>(number))
                                 : std::to_string(number);
        break;
    }
    }
    Attribute(keys_[index], text);
}

void XmlPacketWriter::CheckModifiedRow(const TRow& row, const TRow& original,
                                       std::size_t index) const {
    original.values.ForEachValue([&](std::size_t column, const TValue&) {
        if (std::holds_alternative<std::monostate>(row.values[column])) {
            Fail("row " + std::to_string(index + 1) + ": field '" + packet_.columns[column].name +
                 "' of a modified row is null where its original has a value, which the XML " +
                 "form cannot hold");
        }
    });
}

void XmlPacketWriter::Write() {
    out_.append(R"(<?xml version="1.0" standalone="yes"?><DATAPACKET Version="2.0">)");
    out_.append("<METADATA><FIELDS>");
    for (std::size_t i = 0; i < packet_.columns.size(); ++i) {
        WriteField(i);
    }
    out_.append("</FIELDS><PARAMS/></METADATA><ROWDATA>");
    const TRow* lastOriginal = nullptr;
    for (std::size_t r = 0; r < packet_.rows.size(); ++r) {
        const TRow& row = packet_.rows[r];
        if (row.values.size() != packet_.columns.size()) {
            Fail("row " + std::to_string(r + 1) + " has " + std::to_string(row.values.size()) +
                 " values for " + std::to_string(packet_.columns.size()) + " columns");
        }
        // As the reader takes them: an original is whole, whatever else its state says.
        if ((row.status & rsModified) != 0 && (row.status & rsOriginal) == 0 &&
            lastOriginal != nullptr) {
            CheckModifiedRow(row, *lastOriginal, r);
        }
        if ((row.status & rsOriginal) != 0) {
            lastOriginal = &row;
        }
        out_.append("<ROW");
        if (row.status != rsUnchanged) {
            Attribute("RowState", std::to_string(row.status));
        }
        row.values.ForEachValue(
            [this](std::size_t column, const TValue& value) { WriteValue(column, value); });
        out_.append("/>");
        output_.Pass();
    }
    out_.append("</ROWDATA></DATAPACKET>");
    output_.Flush();
}

} // namespace

void WriteXmlPacket(const TDataPacket& packet, QIODevice& device, const AnsiString& target) {
    XmlPacketWriter(packet, device, target).Write();
}

QByteArray WriteXmlPacket(const TDataPacket& packet, const AnsiString& target) {
    return WrittenBytes([&](QIODevice& device) { WriteXmlPacket(packet, device, target); });
}

} // namespace Datapacket
