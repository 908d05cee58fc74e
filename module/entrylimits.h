#pragma once

#include <cstddef>

// How many digits each numeric entry takes as it is typed; a digit beyond is ignored.
namespace EntryLimits {
inline constexpr std::size_t DateDigits = 8;       // ddmmyyyy
inline constexpr std::size_t TimeDigits = 4;       // hhmm
inline constexpr std::size_t TelephoneDigits = 11; // an area code and a mobile number
inline constexpr std::size_t PeopleDigits = 3;
} // namespace EntryLimits
