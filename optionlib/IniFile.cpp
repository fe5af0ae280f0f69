#include "optionlib/IniFile.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/system/FileIo.h"

namespace tovrin::optionlib {

void CIniFile::Open(const std::filesystem::path& path) {
    profile_ = {};
    if (const auto bytes = ReadFileBytes(path, kMaxFileBytes)) {
        profile_ = profile::Profile::FromText(
            std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        return;
    }
    // O_EXCL: whatever already lies under the name (an unreadable or
    // oversized file, a folder) is left as it is.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) ::close(fd);
}

void CIniFile::OpenText(std::string_view text) {
    profile_ = profile::Profile::FromText(text.substr(0, kMaxFileBytes));
}

std::string CIniFile::GetString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
    return DecodeLineBreakPairs(profile_.GetString(section, key, defaultValue, kValueBufferBytes - 1));
}

int32_t CIniFile::GetInt(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const std::string text = GetString(section, key, {});
    if (text.empty()) return defaultValue;
    return profile::ParseDecimalInteger(text);
}

std::string DecodeLineBreakPairs(std::string_view raw) {
    std::string decoded;
    decoded.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        const bool paired = i + 1 < raw.size() && raw[i + 1] == raw[i];
        if (paired && byte == 0xFE) {
            decoded.push_back('\r');
            ++i;
        } else if (paired && byte == 0xFF) {
            decoded.push_back('\n');
            ++i;
        } else {
            decoded.push_back(raw[i]);
        }
    }
    return decoded;
}

}  // namespace tovrin::optionlib
