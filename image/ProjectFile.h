#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "platform/system/Result.h"

namespace tovrin::image {

// True when the last four characters of path are ".HEX" in any case.
bool HasHexExtension(std::string_view path);

// Where the image of a source is saved as a project file: a HEX source's
// last four characters become ".QVB" (DEMO.HEX -> DEMO.QVB); a project file
// is overwritten in place.
std::filesystem::path ProjectFileTarget(std::string_view sourcePath);

// A project file is the image byte for byte. Written atomically: a failed
// write leaves any earlier file as it was.
Status WriteProjectFile(const std::filesystem::path& target, std::span<const uint8_t> image);

}  // namespace tovrin::image
