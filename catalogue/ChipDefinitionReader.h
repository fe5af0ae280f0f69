#pragma once

#include <cstdint>
#include <string_view>

#include "catalogue/ChipDefinition.h"
#include "catalogue/DeviceCatalogue.h"
#include "platform/profile/Profile.h"
#include "platform/system/Result.h"

namespace tovrin::catalogue {

// Counts in a definition are its own text and can be anything; these bounds
// keep a hostile file from holding the loader or filling memory. Real chips
// stay far below them.
inline constexpr int32_t kMaxValuesPerItem = 4096;  // further values are not read
inline constexpr std::size_t kMaxOptionItemsPerDefinition = 65535;
inline constexpr std::size_t kMaxOptionValuesPerDefinition = 65536;

// A chip's list values and its definition, built from the keys of its file.
struct BuiltDefinition {
    ChipListEntry entry;
    ChipDefinition definition;
};

// Every missing key takes its default. Fails, with the reason, only for a
// definition beyond the bounds above or one whose image would be larger
// than kMaxImageByteCount.
Result<BuiltDefinition> BuildChipDefinition(const profile::Profile& profile, std::string_view chipName);

}  // namespace tovrin::catalogue
