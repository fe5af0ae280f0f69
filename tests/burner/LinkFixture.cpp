#include "tests/burner/LinkFixture.h"

namespace tovrin::burner::testing {

std::vector<uint8_t> Bytes(std::size_t count, uint8_t seed) {
    std::vector<uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + i / 251);
    return bytes;
}

std::vector<uint8_t> FromHex(const std::string& line) {
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < line.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoul(line.substr(i, 2), nullptr, 16)));
    return bytes;
}

LinkFixture::LinkFixture() {
    firmware.SetRequestLog([this](std::string_view line) { requestLog.emplace_back(line); });
}

void LinkFixture::Download() {
    link.SetDownloadActive(true);
    link.ExecuteBurnerCommand(CMD_DOWNLOAD);
}

std::vector<std::vector<uint8_t>> LinkFixture::Requests(uint8_t code) const {
    std::vector<std::vector<uint8_t>> blocks;
    for (const auto& line : requestLog) {
        auto block = FromHex(line);
        if (block.size() > kCommandOffset && block[kCommandOffset] == code)
            blocks.push_back(std::move(block));
    }
    return blocks;
}

int LinkFixture::CallIndex(std::string_view prefix) const {
    for (std::size_t i = 0; i < events.calls.size(); ++i)
        if (events.calls[i].starts_with(prefix)) return static_cast<int>(i);
    return -1;
}

}  // namespace tovrin::burner::testing
