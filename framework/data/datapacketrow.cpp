#include "framework/data/datapacket.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Datapacket {

namespace {

const TValue Null;

bool IsNull(const TValue& value) {
    return std::holds_alternative<std::monostate>(value);
}

std::size_t WordsFor(std::size_t width) {
    return (width + 63) / 64;
}

void SetBit(std::vector<std::uint64_t>& words, std::size_t column) {
    words[column / 64] |= std::uint64_t{1} << (column % 64);
}

} // namespace

TRowValues::TRowValues(std::size_t width) : width_(width) {}

TRowValues::TRowValues(std::initializer_list<TValue> values)
    : TRowValues(std::vector<TValue>(values)) {}

TRowValues::TRowValues(const std::vector<TValue>& values) : width_(values.size()) {
    TEntries entries;
    entries.reserve(static_cast<std::size_t>(std::count_if(
        values.begin(), values.end(), [](const TValue& value) { return !IsNull(value); })));
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!IsNull(values[column])) {
            entries.push_back({column, values[column]});
        }
    }
    if (!entries.empty()) {
        own_ = new TEntryBlock;
        own_->entries = std::move(entries);
    }
}

TRowValues TRowValues::FromEntries(std::size_t width, std::span<TRowEntry> entries,
                                   const TRowValues* original) {
    TRowValues row(width);
    const auto held = static_cast<std::size_t>(
        std::count_if(entries.begin(), entries.end(),
                      [](const TRowEntry& entry) { return !IsNull(entry.value); }));
    if (held > 0) {
        // Exactly as many as it holds: a reader's rows must not carry spare room.
        row.own_ = new TEntryBlock;
        row.own_->entries.reserve(held);
    }
    QExplicitlySharedDataPointer<TClearedBlock> cleared;
    for (TRowEntry& entry : entries) {
        if (!IsNull(entry.value)) {
            row.own_->entries.push_back(std::move(entry));
        } else if (original != nullptr) {
            if (!cleared) {
                cleared = new TClearedBlock;
                cleared->words.resize(WordsFor(width));
            }
            SetBit(cleared->words, entry.column);
        }
    }
    if (original == nullptr) {
        return row;
    }
    if (original->inherited_ || original->width_ > width) {
        // Such an original is copied, so that no row takes from a row that takes from another,
        // nor from beyond itself.
        row.inherited_ = new TEntryBlock;
        original->ForEachValue([&row, width](std::size_t column, const TValue& value) {
            if (column < width) {
                row.inherited_->entries.push_back({column, value});
            }
        });
    } else {
        row.inherited_ = original->own_;
    }
    if (row.inherited_ && !row.inherited_->entries.empty()) {
        row.cleared_ = std::move(cleared);
    } else {
        row.inherited_.reset();
    }
    return row;
}

const TRowEntry* TRowValues::Find(const TEntryBlock* block, std::size_t column) {
    if (block == nullptr) {
        return nullptr;
    }
    const TEntries& entries = block->entries;
    const auto found = std::lower_bound(
        entries.begin(), entries.end(), column,
        [](const TRowEntry& entry, std::size_t wanted) { return entry.column < wanted; });
    return found != entries.end() && found->column == column ? &*found : nullptr;
}

const TRowEntry* TRowValues::FindInherited(std::size_t column) const {
    return Cleared(column) ? nullptr : Find(inherited_.data(), column);
}

const TValue& TRowValues::operator[](std::size_t column) const {
    if (column >= width_) {
        return Null;
    }
    if (const TRowEntry* own = Find(own_.data(), column)) {
        return own->value;
    }
    if (const TRowEntry* inherited = FindInherited(column)) {
        return inherited->value;
    }
    return Null;
}

TRowValues::TEntries& TRowValues::OwnForChange() {
    if (!own_) {
        own_ = new TEntryBlock;
    }
    // A copy of the row, or a row that keeps this one's values as its original, keeps them.
    own_.detach();
    return own_->entries;
}

void TRowValues::Set(std::size_t column, TValue value) {
    if (column >= width_) {
        throw std::out_of_range("a value set beyond the columns of its row");
    }
    if (IsNull(value) && FindInherited(column) != nullptr) {
        if (!cleared_) {
            cleared_ = new TClearedBlock;
            cleared_->words.resize(WordsFor(width_));
        }
        cleared_.detach();
        SetBit(cleared_->words, column);
    }
    TEntries& own = OwnForChange();
    const auto at = std::lower_bound(
        own.begin(), own.end(), column,
        [](const TRowEntry& entry, std::size_t wanted) { return entry.column < wanted; });
    const bool present = at != own.end() && at->column == column;
    if (IsNull(value)) {
        if (present) {
            own.erase(at);
        }
    } else if (present) {
        at->value = std::move(value);
    } else {
        own.insert(at, {column, std::move(value)});
    }
    if (own.empty()) {
        own_.reset();
    }
}

void TRowValues::resize(std::size_t width) {
    if (width < width_ || cleared_) {
        // What remains becomes the row's own: nothing beyond the row is kept, and no cleared bits
        // need words for new columns.
        QExplicitlySharedDataPointer<TEntryBlock> kept(new TEntryBlock);
        ForEachValue([&kept, width](std::size_t column, const TValue& value) {
            if (column < width) {
                kept->entries.push_back({column, value});
            }
        });
        own_ = kept->entries.empty() ? QExplicitlySharedDataPointer<TEntryBlock>() : kept;
        inherited_.reset();
        cleared_.reset();
    }
    width_ = width;
}

bool TRowValues::operator==(const TRowValues& other) const {
    if (width_ != other.width_) {
        return false;
    }
    std::vector<std::pair<std::size_t, const TValue*>> mine;
    ForEachValue(
        [&mine](std::size_t column, const TValue& value) { mine.emplace_back(column, &value); });
    std::size_t at = 0;
    bool same = true;
    other.ForEachValue([&](std::size_t column, const TValue& value) {
        same = same && at < mine.size() && mine[at].first == column && *mine[at].second == value;
        ++at;
    });
    return same && at == mine.size();
}

} // namespace Datapacket
