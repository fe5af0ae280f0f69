#include "production/AuditLog.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>

namespace tovrin::production {
namespace {

using nlohmann::ordered_json;

std::string Hex(uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

template <class T, class F>
ordered_json OrNull(const std::optional<T>& value, F&& convert) {
    return value ? ordered_json(convert(*value)) : ordered_json();
}

}  // namespace

std::string AuditLine(const AuditRecord& r) {
    const auto hex4 = [](uint16_t v) { return Hex(v, 4); };
    ordered_json rolling;
    if (r.rollingCode) {
        ordered_json addresses = ordered_json::array();
        for (uint16_t a : r.rollingCode->addresses) addresses.push_back(Hex(a, 4));
        rolling = {{"start", Hex(r.rollingCode->start, 8)},
                   {"step", Hex(r.rollingCode->step, 8)},
                   {"addresses", addresses}};
    }
    ordered_json line = {{"time", r.time},
                         {"host", r.host},
                         {"user", r.user},
                         {"version", r.version},
                         {"operation", r.operation},
                         {"chip", r.chip},
                         {"source", OrNull(r.source, [](const std::string& s) { return s; })},
                         {"sourceSha256", OrNull(r.sourceSha256, [](const std::string& s) { return s; })},
                         {"imageBytes", r.imageBytes},
                         {"qvbChecksum", OrNull(r.qvbChecksum, hex4)},
                         {"romChecksum", OrNull(r.romChecksum, hex4)},
                         {"flags", Hex(r.flags, 2)},
                         {"rollingCode", rolling},
                         {"burner", r.burner},
                         {"burnerId", OrNull(r.burnerId, [](uint32_t id) { return Hex(id, 8); })},
                         {"firmware", OrNull(r.firmware, [](const std::string& s) { return s; })},
                         {"outcome", r.ok ? "ok" : "failed"},
                         {"message", r.message},
                         {"packets", r.packets},
                         {"resends", r.resends},
                         {"ms", r.ms}};
    if (r.verified) line["verified"] = *r.verified;
    if (r.serialBlock)
        line["serialBlock"] = {{"start", Hex(r.serialBlock->start, 8)},
                               {"count", r.serialBlock->count},
                               {"step", Hex(r.serialBlock->step, 8)}};
    // Texts from outside (a firmware string, a path) need not be UTF-8;
    // replacing bad bytes keeps the line valid JSON instead of losing it.
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string UtcTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string HostName() {
    char name[HOST_NAME_MAX + 1] = {0};
    if (::gethostname(name, sizeof name - 1) != 0) return "";
    return name;
}

std::string UserName() {
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr)
        return found->pw_name;
    const char* user = std::getenv("USER");
    return user != nullptr ? user : std::to_string(::geteuid());
}

Result<AuditLog> AuditLog::Open(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) return Error{"cannot open the log " + path.string() + ": " + std::strerror(errno)};
    return AuditLog(path, fd);
}

AuditLog::AuditLog(AuditLog&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

AuditLog& AuditLog::operator=(AuditLog&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        path_ = std::move(other.path_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

AuditLog::~AuditLog() {
    if (fd_ >= 0) ::close(fd_);
}

Status AuditLog::Append(const AuditRecord& record) const {
    const std::string line = AuditLine(record);
    ssize_t written;
    do {
        written = ::write(fd_, line.data(), line.size());
    } while (written < 0 && errno == EINTR);
    if (written < 0) return Error{"cannot append to the log " + path_.string() + ": " + std::strerror(errno)};
    // A second write could interleave with another process's line, so a
    // short write is reported rather than completed.
    if (static_cast<std::size_t>(written) != line.size())
        return Error{"the log " + path_.string() + " took only part of a record (disk full?)"};
    return Status::Ok();
}

}  // namespace tovrin::production
