#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/DeviceCatalogue.h"

namespace tovrin::catalogue {

struct SkippedDefinitionFile {
    std::string fileName;  // as found in Device/
    std::string reason;
};

struct CatalogueLoad {
    DeviceCatalogue catalogue;
    std::vector<SkippedDefinitionFile> skipped;
    // List position chosen from LastSelChip.TXT; nullopt when the list is empty.
    std::optional<std::size_t> initialSelection;
};

// Lists programDirectory/Device/*.dev, builds a definition for each and
// picks the initial selection. Never writes anything to disk.
CatalogueLoad LoadCatalogue(const std::filesystem::path& programDirectory);

}  // namespace tovrin::catalogue
