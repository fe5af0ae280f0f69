#include "image/ProjectFile.h"

#include <string>

#include "platform/system/FileIo.h"
#include "platform/text/AsciiCase.h"

namespace tovrin::image {
namespace {
constexpr std::string_view kHexExtension = ".HEX";
constexpr std::string_view kProjectExtension = ".QVB";
}  // namespace

bool HasHexExtension(std::string_view path) {
    return text::EndsWithIgnoringAsciiCase(path, kHexExtension);
}

std::filesystem::path ProjectFileTarget(std::string_view sourcePath) {
    if (!HasHexExtension(sourcePath)) return std::filesystem::path(std::string(sourcePath));
    std::string target(sourcePath.substr(0, sourcePath.size() - kHexExtension.size()));
    target += kProjectExtension;
    return std::filesystem::path(target);
}

Status WriteProjectFile(const std::filesystem::path& target, std::span<const uint8_t> image) {
    return WriteFileAtomically(target, image);
}

}  // namespace tovrin::image
