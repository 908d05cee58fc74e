#include "samecontent.h"

#include <cmath>
#include <optional>
#include <string>
#include <variant>

namespace Fuzz {

using Datapacket::TColumn;
using Datapacket::TPacketForm;
using Datapacket::TValue;

namespace {

QByteArray ColumnText(const TColumn& column) {
    return QByteArray::fromStdString(
        column.name + " " + Datapacket::ColumnKindName(column) + " width " +
        std::to_string(column.width) + " decimals " + std::to_string(column.decimals) +
        " subtype '" + column.subtype + "' attributes " + std::to_string(column.attributes));
}

QByteArray ValueText(const TValue& value) {
    return std::visit(
        [](const auto& stored) -> QByteArray {
            using T = std::decay_t<decltype(stored)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return "null";
            } else if constexpr (std::is_same_v<T, Datapacket::TText>) {
                return '"' + QByteArray::fromStdString(stored.Str()).toHex(' ') + "\" (hex)";
            } else if constexpr (std::is_same_v<T, QString>) {
                return "wide \"" + stored.toUtf8().toHex(' ') + "\" (UTF-8 hex)";
            } else if constexpr (std::is_same_v<T, QByteArray>) {
                return "bytes " + stored.toHex(' ');
            } else if constexpr (std::is_same_v<T, bool>) {
                return stored ? "true" : "false";
            } else {
                return QByteArray::number(stored);
            }
        },
        value);
}

// The text as XML keeps it.
QString AsXmlHoldsIt(const QString& text) {
    QString held;
    for (const char32_t code : text.toUcs4()) {
        const bool lost = code == 0xFFFE || code == 0xFFFF || (code >= 0xD800 && code <= 0xDFFF);
        held += QChar::fromUcs4(lost ? U'\uFFFD' : code);
    }
    return held;
}

bool SameValue(const TValue& written, const TValue& readBack, TPacketForm form) {
    const auto* writtenReal = std::get_if<double>(&written);
    const auto* readReal = std::get_if<double>(&readBack);
    if (writtenReal != nullptr && readReal != nullptr) {
        return *writtenReal == *readReal || (std::isnan(*writtenReal) && std::isnan(*readReal));
    }
    const auto* writtenWide = std::get_if<QString>(&written);
    const auto* readWide = std::get_if<QString>(&readBack);
    if (form == TPacketForm::Xml && writtenWide != nullptr && readWide != nullptr) {
        return AsXmlHoldsIt(*writtenWide) == *readWide;
    }
    return written == readBack;
}

bool SameColumn(const TColumn& written, TColumn readBack, TPacketForm form) {
    if (form == TPacketForm::Binary && readBack.width >= written.width) {
        readBack.width = written.width;
    }
    return written == readBack;
}

} // namespace

QByteArray Difference(const Datapacket::TDataPacket& written,
                      const Datapacket::TDataPacket& readBack, TPacketForm form) {
    if (written.columns.size() != readBack.columns.size()) {
        return "column count " + QByteArray::number(written.columns.size()) + " became " +
               QByteArray::number(readBack.columns.size());
    }
    for (std::size_t c = 0; c < written.columns.size(); ++c) {
        if (!SameColumn(written.columns[c], readBack.columns[c], form)) {
            return "column " + QByteArray::number(c + 1) + " [" + ColumnText(written.columns[c]) +
                   "] became [" + ColumnText(readBack.columns[c]) + "]";
        }
    }
    if (written.rows.size() != readBack.rows.size()) {
        return "row count " + QByteArray::number(written.rows.size()) + " became " +
               QByteArray::number(readBack.rows.size());
    }
    for (std::size_t r = 0; r < written.rows.size(); ++r) {
        const Datapacket::TRow& before = written.rows[r];
        const Datapacket::TRow& after = readBack.rows[r];
        if (before.status != after.status) {
            return "row " + QByteArray::number(r + 1) + ": status " +
                   QByteArray::number(before.status) + " became " +
                   QByteArray::number(after.status);
        }
        if (before.values.size() != after.values.size()) {
            return "row " + QByteArray::number(r + 1) + ": " +
                   QByteArray::number(before.values.size()) + " values became " +
                   QByteArray::number(after.values.size());
        }
        // Only the columns that hold a value in either row: a row of many columns is mostly null.
        std::optional<std::size_t> differing;
        const auto compare = [&](std::size_t column, const TValue&) {
            if (!differing && !SameValue(before.values[column], after.values[column], form)) {
                differing = column;
            }
        };
        before.values.ForEachValue(compare);
        after.values.ForEachValue(compare);
        if (differing) {
            const std::size_t c = *differing;
            return "row " + QByteArray::number(r + 1) + " (status " +
                   QByteArray::number(before.status) + "), field " + QByteArray::number(c + 1) +
                   ": " + ValueText(before.values[c]) + " became " + ValueText(after.values[c]);
        }
    }
    return {};
}

} // namespace Fuzz
