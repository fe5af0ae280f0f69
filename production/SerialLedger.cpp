#include "production/SerialLedger.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/system/FileIo.h"
#include "production/AuditLog.h"

namespace tovrin::production {
namespace {

using nlohmann::ordered_json;

class LockedFile {
public:
    explicit LockedFile(int fd) : fd_(fd) {}
    ~LockedFile() {
        if (fd_ >= 0) ::close(fd_);  // closing drops the lock
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

Error Failure(const std::filesystem::path& path, const std::string& what) {
    return Error{"serial ledger " + path.string() + ": " + what};
}

// Opens the ledger and locks it. The ledger is replaced by rename on each
// draw, so a lock won on a file that was replaced meanwhile is on a dead
// inode: open again until the lock is on the file the path names.
Result<std::unique_ptr<LockedFile>> OpenLocked(const std::filesystem::path& path) {
    for (;;) {
        auto file = std::make_unique<LockedFile>(
            ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666));
        if (file->fd() < 0) return Failure(path, std::string("cannot open: ") + std::strerror(errno));
        int locked;
        do {
            locked = ::flock(file->fd(), LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) return Failure(path, std::string("cannot lock: ") + std::strerror(errno));
        struct stat held {
        }, named{};
        if (::fstat(file->fd(), &held) != 0) return Failure(path, std::strerror(errno));
        if (!S_ISREG(held.st_mode)) return Failure(path, "not a regular file");
        if (::stat(path.c_str(), &named) == 0 && named.st_ino == held.st_ino && named.st_dev == held.st_dev)
            return file;
    }
}

Result<std::string> ReadLocked(const std::filesystem::path& path, int fd) {
    std::string text;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return Failure(path, std::string("cannot read: ") + std::strerror(errno));
        }
        if (got == 0) return text;
        text.append(chunk, static_cast<std::size_t>(got));
        if (text.size() > kMaxLedgerBytes) return Failure(path, "larger than a ledger can be");
    }
}

std::string Hex8(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

Result<std::vector<SerialBlock>> DrawSerialBlocks(const std::filesystem::path& ledger,
                                                  const std::vector<SerialBlockRequest>& requests,
                                                  uint32_t count, uint32_t step, uint32_t firstStart) {
    if (count == 0) return Failure(ledger, "a block needs at least one rolling code");
    if (step == 0) return Failure(ledger, "a rolling-code step of 0 gives every chip the same code");

    auto file = OpenLocked(ledger);
    if (!file) return file.error();
    auto text = ReadLocked(ledger, (*file)->fd());
    if (!text) return text.error();

    ordered_json state;
    uint64_t next = firstStart;
    if (text->find_first_not_of(" \t\r\n") != std::string::npos) {
        state = ordered_json::parse(*text, nullptr, false);
        if (state.is_discarded() || !state.is_object())
            return Failure(ledger, "not a ledger (it is not a JSON object)");
        const auto& stored = state["next"];
        if (!stored.is_number_unsigned() || stored.get<uint64_t>() > kLastRollingCode + 1)
            return Failure(ledger, "\"next\" must be a whole number from 0 to 4294967296");
        next = stored.get<uint64_t>();
        if (!state.contains("blocks")) state["blocks"] = ordered_json::array();
        if (!state["blocks"].is_array()) return Failure(ledger, "\"blocks\" must be a list");
    } else {
        state = {{"next", next}, {"blocks", ordered_json::array()}};
    }

    std::vector<SerialBlock> drawn;
    const std::string time = UtcTimestamp();
    for (const SerialBlockRequest& request : requests) {
        const uint64_t last = next + uint64_t{count - 1} * step;
        if (last > kLastRollingCode)
            return Failure(ledger, "a block of " + std::to_string(count) + " codes from " +
                                       std::to_string(next) + " in steps of " + std::to_string(step) +
                                       " would pass the 32-bit end (" + std::to_string(kLastRollingCode) +
                                       "); nothing was handed out");
        drawn.push_back({request.burner, request.burnerId, static_cast<uint32_t>(next), count, step, time});
        next = last + step;
    }

    state["next"] = next;
    for (const SerialBlock& block : drawn)
        state["blocks"].push_back(
            {{"burner", block.burner},
             {"burnerId", block.burnerId ? ordered_json(Hex8(*block.burnerId)) : ordered_json()},
             {"start", block.start},
             {"count", block.count},
             {"step", block.step},
             {"time", block.time}});
    const std::string updated = state.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    // Still holding the lock: the next drawer sees the new file or waits.
    if (Status written = WriteFileAtomically(ledger, updated); !written)
        return Failure(ledger, written.error().message);
    return drawn;
}

}  // namespace tovrin::production
