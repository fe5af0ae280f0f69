#include "devicesel/DeviceListing.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "platform/text/AsciiCase.h"

namespace tovrin::devicesel {
namespace {

constexpr std::string_view kDeviceFolder = "Device";
constexpr std::string_view kDefinitionExtension = ".dev";
constexpr std::string_view kNoPreselection = "VB27";
constexpr std::size_t kPrefixCharacters = 4;

}  // namespace

std::vector<std::string> ListDeviceTitles(const std::filesystem::path& baseDirectory) {
    const std::filesystem::path folder =
        (baseDirectory.empty() ? std::filesystem::path(".") : baseDirectory) / kDeviceFolder;
    std::vector<std::string> titles;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!text::EndsWithIgnoringAsciiCase(name, kDefinitionExtension)) continue;
        std::error_code statusError;
        if (it->is_directory(statusError)) continue;
        titles.push_back(name.substr(0, name.size() - kDefinitionExtension.size()));
    }
    // The folder gives its entries in no useful order.
    std::sort(titles.begin(), titles.end(),
              [](const std::string& a, const std::string& b) { return text::LessIgnoringAsciiCase(a, b); });
    return titles;
}

std::size_t PreselectedEntry(const std::vector<std::string>& titles, std::string_view preselected) {
    if (preselected.empty() || preselected == kNoPreselection) return 0;
    for (std::size_t n = titles.size(); n-- > 0;)
        if (titles[n] == preselected) return n;
    return 0;
}

std::string ResultFromTitle(std::string_view title) {
    return title.size() <= kPrefixCharacters ? std::string() : std::string(title.substr(kPrefixCharacters));
}

void CopyResult(std::string_view result, char* out) {
    const std::size_t length = std::min(result.size(), kOutBufferBytes - 1);
    std::memcpy(out, result.data(), length);
    out[length] = '\0';
}

}  // namespace tovrin::devicesel
