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

} // namespace

TRowValues::TRowValues(std::size_t width) : width_(width) {}

TRowValues::TRowValues(std::initializer_list<TValue> values)
    : TRowValues(std::vector<TValue>(values)) {}

TRowValues::TRowValues(const std::vector<TValue>& values) : width_(values.size()) {
    TEntries entries;
    entries.reserve(static_cast<std::size_t>(
        std::count_if(values.begin(), values.end(), [](const TValue& v) { return !IsNull(v); })));
    for (std::size_t column = 0; column < values.size(); ++column) {
        if (!IsNull(values[column])) {
            entries.push_back({column, values[column]});
        }
    }
    if (!entries.empty()) {
        own_ = std::make_shared<TEntries>(std::move(entries));
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
        TEntries own;
        own.reserve(held);
        for (TRowEntry& entry : entries) {
            if (!IsNull(entry.value)) {
                own.push_back(std::move(entry));
            }
        }
        row.own_ = std::make_shared<TEntries>(std::move(own));
    }
    if (original == nullptr) {
        return row;
    }
    auto inherited = std::make_shared<TInherited>();
    if (original->inherited_) {
        // An original that takes from another row is flattened, so that no row takes from a row
        // that takes from another.
        TEntries values;
        original->ForEachValue([&values](std::size_t column, const TValue& value) {
            values.push_back({column, value});
        });
        inherited->values = std::make_shared<const TEntries>(std::move(values));
    } else if (original->own_) {
        inherited->values = original->own_;
    } else {
        // An original without values gives nothing to take.
        return row;
    }
    for (const TRowEntry& entry : entries) {
        if (IsNull(entry.value) && entry.column < width) {
            inherited->cleared.resize(width);
            inherited->cleared[entry.column] = true;
        }
    }
    row.inherited_ = std::move(inherited);
    return row;
}

const TRowEntry* TRowValues::Find(const TEntries* entries, std::size_t column) {
    if (entries == nullptr) {
        return nullptr;
    }
    const auto found = std::lower_bound(
        entries->begin(), entries->end(), column,
        [](const TRowEntry& entry, std::size_t wanted) { return entry.column < wanted; });
    return found != entries->end() && found->column == column ? &*found : nullptr;
}

const TRowEntry* TRowValues::FindInherited(std::size_t column) const {
    if (!inherited_) {
        return nullptr;
    }
    const std::vector<bool>& cleared = inherited_->cleared;
    if (column < cleared.size() && cleared[column]) {
        return nullptr;
    }
    return Find(inherited_->values.get(), column);
}

const TValue& TRowValues::operator[](std::size_t column) const {
    if (column >= width_) {
        return Null;
    }
    if (const TRowEntry* own = Find(own_.get(), column)) {
        return own->value;
    }
    if (const TRowEntry* inherited = FindInherited(column)) {
        return inherited->value;
    }
    return Null;
}

TRowValues::TEntries& TRowValues::OwnForChange() {
    if (!own_) {
        own_ = std::make_shared<TEntries>();
    } else if (own_.use_count() > 1) {
        own_ = std::make_shared<TEntries>(*own_);
    }
    return *own_;
}

void TRowValues::Set(std::size_t column, TValue value) {
    if (column >= width_) {
        throw std::out_of_range("a value set beyond the columns of its row");
    }
    if (IsNull(value) && FindInherited(column) != nullptr) {
        auto inherited = std::make_shared<TInherited>(*inherited_);
        inherited->cleared.resize(width_);
        inherited->cleared[column] = true;
        inherited_ = std::move(inherited);
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
    if (width < width_) {
        // What remains becomes the row's own, so that nothing beyond the row is kept.
        TEntries kept;
        ForEachValue([&kept, width](std::size_t column, const TValue& value) {
            if (column < width) {
                kept.push_back({column, value});
            }
        });
        own_ = kept.empty() ? nullptr : std::make_shared<TEntries>(std::move(kept));
        inherited_.reset();
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
