#include "image/StatusLog.h"

#include "platform/system/FileIo.h"
#include "platform/text/GbkText.h"

namespace tovrin::image {

namespace {
// Reports after which the edit starts to scroll.
constexpr int kReportsBeforeScrolling = 9;
}  // namespace

std::string StatusTimeStamp(const std::tm* localTime) {
    if (!localTime) return {};
    char stamp[64];
    const std::size_t length = std::strftime(stamp, sizeof stamp, "\r\n%Y-%m-%d %H:%M:%S \r\n", localTime);
    return std::string(stamp, length);
}

StatusLog::Update StatusLog::Report(std::string_view message, bool endOfLine, const std::tm* localTime) {
    Update update;
    if (!endOfLine) {
        update.text = std::string(message) + " ";
        return update;
    }
    update.text = StatusTimeStamp(localTime) + std::string(message) + "\r\n";
    ++reports_;
    if (reports_ > kReportsBeforeScrolling) update.scrollLines = reports_;
    return update;
}

StatusLog::Update StatusLog::Report(std::string_view message, bool endOfLine) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    const bool known = now != static_cast<std::time_t>(-1) && ::localtime_r(&now, &local) != nullptr;
    return Report(message, endOfLine, known ? &local : nullptr);
}

std::string ReadWindowCaption(const std::filesystem::path& programDirectory) {
    return text::GbkToUtf8(ReadFirstLine(programDirectory / "Version.TXT"));
}

}  // namespace tovrin::image
