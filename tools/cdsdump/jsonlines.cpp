#include "jsonlines.h"

#include "framework/data/datapacketvalue.h"

#include <QLocale>
#include <cmath>

using Datapacket::TColumn;
using Datapacket::TValue;
using Db::TFieldType;

namespace {

QByteArray JsonString(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            escaped += QLatin1String("\\\"");
            break;
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20) {
                escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            } else {
                escaped += c;
            }
        }
    }
    escaped += u'"';
    return escaped.toUtf8();
}

QByteArray JsonString(const AnsiString& text) {
    return JsonString(ToQString(text));
}

QByteArray DateText(long long day) {
    return Datapacket::DayNumberToDate(day).toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
}

QByteArray TimeText(long long ms) {
    return QByteArray::fromStdString(Datapacket::TimeOfDayText(ms, ':', "."));
}

QByteArray JsonValue(const TColumn& column, const TValue& value) {
    if (std::holds_alternative<std::monostate>(value)) {
        return "null";
    }
    switch (column.type) {
    case TFieldType::ftString:
        return JsonString(std::get<Datapacket::TText>(value).Str());
    case TFieldType::ftWideString:
        return JsonString(std::get<QString>(value));
    case TFieldType::ftBoolean:
        return std::get<bool>(value) ? "true" : "false";
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        const double number = std::get<double>(value);
        // JSON has no NaN or infinity.
        return std::isfinite(number)
                   ? QByteArray::number(number, 'g', QLocale::FloatingPointShortest)
                   : QByteArray("null");
    }
    case TFieldType::ftBCD:
        return QByteArray::fromStdString(std::get<Datapacket::TText>(value).Str());
    case TFieldType::ftDate:
        return '"' + DateText(std::get<long long>(value)) + '"';
    case TFieldType::ftTime:
        return '"' + TimeText(std::get<long long>(value)) + '"';
    case TFieldType::ftDateTime: {
        Datapacket::TDayTime dayTime;
        if (!Datapacket::SplitStoredDateTime(std::get<double>(value), dayTime)) {
            return "null";
        }
        return '"' + DateText(dayTime.day) + 'T' + TimeText(dayTime.ms) + '"';
    }
    case TFieldType::ftMemo:
        return JsonString(std::get<QByteArray>(value).toStdString());
    case TFieldType::ftBlob:
        return '"' + std::get<QByteArray>(value).toBase64() + '"';
    default:
        break;
    }
    const long long number = std::get<long long>(value);
    return column.isUnsigned ? QByteArray::number(static_cast<unsigned long long>(number))
                             : QByteArray::number(number);
}

QByteArray AttributeList(unsigned attributes) {
    const std::pair<unsigned, const char*> names[] = {{Datapacket::caHidden, "hidden"},
                                                      {Datapacket::caReadOnly, "readonly"},
                                                      {Datapacket::caRequired, "required"},
                                                      {Datapacket::caLink, "linkfield"}};
    QByteArrayList listed;
    for (const auto& [flag, name] : names) {
        if ((attributes & flag) != 0) {
            listed.append('"' + QByteArray(name) + '"');
        }
    }
    return '[' + listed.join(',') + ']';
}

} // namespace

QByteArray FieldsLine(const Datapacket::TDataPacket& packet) {
    QByteArrayList fields;
    for (const TColumn& column : packet.columns) {
        QByteArray field = "{\"name\":" + JsonString(column.name) +
                           ",\"kind\":" + JsonString(Datapacket::ColumnKindName(column)) +
                           ",\"width\":" + QByteArray::number(column.width);
        if (column.type == TFieldType::ftBCD) {
            field += ",\"decimals\":" + QByteArray::number(column.decimals);
        }
        fields.append(field + ",\"attributes\":" + AttributeList(column.attributes) + '}');
    }
    return "{\"fields\":[" + fields.join(',') + "]}\n";
}

QByteArray RowLine(const Datapacket::TDataPacket& packet, const Datapacket::TRow& row) {
    QByteArrayList members;
    for (std::size_t c = 0; c < packet.columns.size(); ++c) {
        members.append(JsonString(packet.columns[c].name) + ':' +
                       JsonValue(packet.columns[c], row.values[c]));
    }
    return '{' + members.join(',') + "}\n";
}
