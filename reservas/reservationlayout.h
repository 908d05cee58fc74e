#pragma once

#include "framework/data/db.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace Reservas {

struct ReservationColumn {
    std::string_view Name;
    Db::TFieldType Type;
    std::size_t Size; // characters, for a string column
};

// The reservation record, in its order.
inline constexpr std::array<ReservationColumn, 13> ReservationColumns{{
    {"DSRESMESA", Db::TFieldType::ftString, 30},
    {"NRRESMESA", Db::TFieldType::ftString, 10},
    {"CDFILIAL", Db::TFieldType::ftString, 4},
    {"CDLOJA", Db::TFieldType::ftString, 10},
    {"DTRESMESA", Db::TFieldType::ftDateTime, 0},
    {"HRINIRESMESA", Db::TFieldType::ftString, 4},
    {"HRFINRESMESA", Db::TFieldType::ftString, 4},
    {"NMRESMESA", Db::TFieldType::ftString, 50},
    {"NRTELRESMESA", Db::TFieldType::ftString, 25},
    {"NRPESRESMESA", Db::TFieldType::ftString, 3},
    {"IDSTRESMESA", Db::TFieldType::ftString, 1},
    {"CDOPERINCRES", Db::TFieldType::ftString, 12},
    {"DTHRINCLURES", Db::TFieldType::ftDate, 0},
}};

// A name that is not a column does not compile.
consteval std::size_t ColumnSize(std::string_view name) {
    for (const ReservationColumn& column : ReservationColumns) {
        if (column.Name == name) {
            return column.Size;
        }
    }
    throw "not a column of the reservation record";
}

} // namespace Reservas
