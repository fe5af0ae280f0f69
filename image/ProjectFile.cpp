#include "image/ProjectFile.h"

#include <string>

#include "platform/system/FileIo.h"

namespace tovrin::image {
namespace {
constexpr std::string_view kHexExtension = ".HEX";
constexpr std::string_view kProjectExtension = ".QVB";

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

bool HasHexExtension(std::string_view path) {
    if (path.size() < kHexExtension.size()) return false;
    const std::string_view tail = path.substr(path.size() - kHexExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (AsciiUpper(tail[i]) != kHexExtension[i]) return false;
    }
    return true;
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
