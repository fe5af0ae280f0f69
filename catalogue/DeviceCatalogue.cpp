#include "catalogue/DeviceCatalogue.h"

#include <utility>

#include "catalogue/AsciiText.h"

namespace tovrin::catalogue {

void DeviceCatalogue::Add(ChipListEntry entry, ChipDefinition definition) {
    definitions_.insert_or_assign(entry.name, std::move(definition));
    entries_.push_back(std::move(entry));
}

const ChipDefinition* DeviceCatalogue::Find(std::string_view name) const {
    const auto found = definitions_.find(name);
    return found == definitions_.end() ? nullptr : &found->second;
}

ChipDefinition DeviceCatalogue::DefinitionOrEmpty(std::string_view name) const {
    const ChipDefinition* definition = Find(name);
    return definition ? *definition : ChipDefinition{};
}

std::optional<std::size_t> DeviceCatalogue::FindByPrefix(std::string_view prefix) const {
    // An empty text stands for a missing LastSelChip.TXT, which selects nothing by itself.
    if (prefix.empty() || entries_.empty()) return std::nullopt;
    const std::size_t count = entries_.size();
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t position = step % count;  // 1, 2, ..., count - 1, then 0
        if (StartsWithIgnoringAsciiCase(entries_[position].name, prefix)) return position;
    }
    return std::nullopt;
}

}  // namespace tovrin::catalogue
