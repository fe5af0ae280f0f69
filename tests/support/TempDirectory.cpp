#include "tests/support/TempDirectory.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace tovrin::testing {

TempDirectory::TempDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tovrin-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDirectory::~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDirectory::Write(std::string_view relative, std::string_view content) const {
    std::filesystem::path target = path_ / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return target;
}

std::filesystem::path TempDirectory::Write(std::string_view relative,
                                           const std::vector<uint8_t>& content) const {
    return Write(relative, std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
}

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path SourceSamplesDirectory() {
    return TOVRIN_SOURCE_SAMPLES;
}
std::filesystem::path BinaryDirectory() {
    return TOVRIN_BINARY_DIR;
}

}  // namespace tovrin::testing
