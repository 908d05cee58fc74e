#include "framework/maskutils.h"

#include "framework/datetime.h"

#include <algorithm>
#include <vector>

namespace Maskutils {

namespace {

constexpr char kFieldSeparator = ';';
constexpr char kEscape = '\\';
constexpr char kFillFromRight = '!';

struct Cell {
    bool input;
    char literal;
};

bool IsInputCharacter(char c) {
    return AnsiString("09#LlAaCc").find(c) != AnsiString::npos;
}

struct ParsedMask {
    std::vector<Cell> cells;
    bool fillFromRight = false;
    char blank = ' ';
};

// The body runs up to the first unescaped ';'; the third field, when present, is the blank.
ParsedMask Parse(const AnsiString& editMask) {
    const Sysutils::TDateTimeFormats& settings = Sysutils::DateTimeFormats();
    ParsedMask mask;
    std::size_t i = 0;
    for (; i < editMask.size() && editMask[i] != kFieldSeparator; ++i) {
        const char c = editMask[i];
        if (c == kEscape && i + 1 < editMask.size()) {
            mask.cells.push_back({false, editMask[++i]});
        } else if (c == kFillFromRight) {
            mask.fillFromRight = true;
        } else if (IsInputCharacter(c)) {
            mask.cells.push_back({true, '\0'});
        } else if (c == ':') {
            mask.cells.push_back({false, settings.TimeSeparator});
        } else if (c == '/') {
            mask.cells.push_back({false, settings.DateSeparator});
        } else {
            mask.cells.push_back({false, c});
        }
    }
    const auto blankField = editMask.find(kFieldSeparator, i + 1);
    if (i < editMask.size() && blankField != AnsiString::npos && blankField + 1 < editMask.size()) {
        mask.blank = editMask[blankField + 1];
    }
    return mask;
}

} // namespace

AnsiString FormatMaskText(const AnsiString& editMask, const AnsiString& value) {
    const ParsedMask mask = Parse(editMask);
    const auto positions = static_cast<std::size_t>(
        std::count_if(mask.cells.begin(), mask.cells.end(), [](const Cell& c) { return c.input; }));
    const std::size_t placed = std::min(positions, value.size());
    // Filling from the right leaves the unfilled positions at the front.
    const std::size_t firstFilled = mask.fillFromRight ? positions - placed : 0;

    AnsiString result;
    std::size_t position = 0;
    std::size_t next = 0;
    for (const Cell& cell : mask.cells) {
        if (!cell.input) {
            result += cell.literal;
        } else {
            const bool filled = position >= firstFilled && next < placed;
            result += filled ? value[next++] : mask.blank;
            ++position;
        }
    }
    return result + value.substr(placed);
}

} // namespace Maskutils
