#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/Result.h"

namespace tovrin::production {

// The rolling code an image carries, as its header holds it.
struct RollingCodeRecord {
    uint32_t start = 0;
    uint32_t step = 0;
    std::vector<uint16_t> addresses;  // the selected count of them
};

// A block of rolling codes taken from a serial ledger for one burner.
struct SerialBlockRecord {
    uint32_t start = 0;
    uint32_t count = 0;
    uint32_t step = 0;
};

// One burner, one operation: what was sent where, and how it ended. The
// JSON keys are a promise to scripts; add keys, never rename them.
struct AuditRecord {
    std::string time;  // UTC, ISO 8601
    std::string host;
    std::string user;
    std::string version;
    std::string operation;  // "download" or "checksum"
    std::string chip;
    std::optional<std::string> source;
    std::optional<std::string> sourceSha256;
    std::size_t imageBytes = 0;
    std::optional<uint16_t> qvbChecksum;
    std::optional<uint16_t> romChecksum;
    uint8_t flags = 0;
    std::optional<RollingCodeRecord> rollingCode;  // absent when the rolling code is off
    std::string burner;                            // the selector
    std::optional<uint32_t> burnerId;
    std::optional<std::string> firmware;
    bool ok = false;
    std::string message;
    std::size_t packets = 0;
    std::size_t resends = 0;
    int64_t ms = 0;
    std::optional<bool> verified;  // only with --verify
    std::optional<SerialBlockRecord> serialBlock;
};

// The record as one line of JSON, line feed included.
std::string AuditLine(const AuditRecord& record);

// The time as the log writes it: 2026-12-11T16:37:05Z.
std::string UtcTimestamp();
// This host's name and the user running us, for the record.
std::string HostName();
std::string UserName();

// An append-only JSON Lines file. Each record goes out as a single write on
// an O_APPEND descriptor, so processes sharing the log never tear a line.
class AuditLog {
public:
    // Opens (creating) the log for appending; fails when it cannot be
    // written, so a command can refuse before it sends anything.
    static Result<AuditLog> Open(const std::filesystem::path& path);

    AuditLog(AuditLog&& other) noexcept;
    AuditLog& operator=(AuditLog&& other) noexcept;
    AuditLog(const AuditLog&) = delete;
    AuditLog& operator=(const AuditLog&) = delete;
    ~AuditLog();

    // Safe to call from several threads at once.
    Status Append(const AuditRecord& record) const;
    const std::filesystem::path& Path() const { return path_; }

private:
    AuditLog(std::filesystem::path path, int fd) : path_(std::move(path)), fd_(fd) {}
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace tovrin::production
