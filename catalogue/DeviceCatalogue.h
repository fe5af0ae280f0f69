#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ChipDefinition.h"

namespace tovrin::catalogue {

// One listed chip: its name as listed and the values of its list position.
struct ChipListEntry {
    std::string name;
    uint32_t imageByteCount = kImageHeaderByteCount;  // 2 x Size + 80
    int32_t bitWidth = 0;
};

// The chip list (in list order) and one definition per listed chip. Filled
// once by the loader, read-only afterwards.
class DeviceCatalogue {
public:
    // Appends a list entry and stores its definition, replacing any earlier
    // definition of the same name.
    void Add(ChipListEntry entry, ChipDefinition definition);

    const std::vector<ChipListEntry>& Entries() const { return entries_; }
    std::size_t Size() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

    // Names compare byte for byte, case-sensitively.
    const ChipDefinition* Find(std::string_view name) const;
    // A copy of the definition, or an empty one when the name has none.
    ChipDefinition DefinitionOrEmpty(std::string_view name) const;

    // The combo box's CB_FINDSTRING from start index 0: the first entry whose
    // name begins with prefix (letters compared without regard to case),
    // searching from the second entry to the last, then the first.
    std::optional<std::size_t> FindByPrefix(std::string_view prefix) const;

private:
    std::vector<ChipListEntry> entries_;
    std::map<std::string, ChipDefinition, std::less<>> definitions_;
};

}  // namespace tovrin::catalogue
