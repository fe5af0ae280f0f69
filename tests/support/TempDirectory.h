#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tovrin::testing {

// A fresh directory under the system temporary directory, removed with
// everything in it when the object goes.
class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes a file (creating parent folders) relative to the directory.
    std::filesystem::path Write(std::string_view relative, std::string_view content) const;
    std::filesystem::path Write(std::string_view relative, const std::vector<uint8_t>& content) const;

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> ReadAll(const std::filesystem::path& path);

// The demo program directory in the source tree, and the build's bin/.
std::filesystem::path SourceSamplesDirectory();
std::filesystem::path BinaryDirectory();

}  // namespace tovrin::testing
