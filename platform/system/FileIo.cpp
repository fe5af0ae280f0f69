#include "platform/system/FileIo.h"

#include "platform/system/Prefault.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

namespace tovrin {
namespace {

constexpr std::size_t kTemporaryStemLength = 64;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// Without O_NONBLOCK, opening a FIFO that lies where a file is expected
// would wait for a writer forever; it is refused as not a regular file.
std::optional<FileDescriptor> OpenRegularFile(const std::filesystem::path& path, struct stat& info) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) return std::nullopt;
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return std::optional<FileDescriptor>(std::in_place, fd.release());
}

std::optional<std::vector<uint8_t>> ReadUpTo(const std::filesystem::path& path, std::size_t limit,
                                             bool refuseLonger) {
    struct stat info {};
    std::optional<FileDescriptor> fd = OpenRegularFile(path, info);
    if (!fd) return std::nullopt;
    if (refuseLonger && static_cast<std::uintmax_t>(info.st_size) > limit) return std::nullopt;

    std::vector<uint8_t> bytes;
    bytes.reserve(std::min<std::size_t>(limit, static_cast<std::size_t>(info.st_size)));
    PrefaultForWriting(bytes.data(), bytes.capacity());
    uint8_t chunk[65536];
    while (bytes.size() < limit) {
        std::size_t want = std::min(sizeof chunk, limit - bytes.size());
        ssize_t got = ::read(fd->get(), chunk, want);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    // A file that grew past the limit while being read is refused as well.
    if (refuseLonger && bytes.size() == limit) {
        uint8_t extra;
        if (::read(fd->get(), &extra, 1) > 0) return std::nullopt;
    }
    return bytes;
}

Status Failure(const std::filesystem::path& path, const char* what) {
    return Error{std::string(what) + " " + path.string() + ": " + std::strerror(errno)};
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                  std::optional<std::size_t> maxBytes) {
    if (maxBytes) return ReadUpTo(path, *maxBytes, true);
    return ReadUpTo(path, SIZE_MAX, false);
}

std::optional<std::vector<uint8_t>> ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes) {
    return ReadUpTo(path, maxBytes, false);
}

std::string ReadFirstLine(const std::filesystem::path& path) {
    struct stat info {};
    std::optional<FileDescriptor> fd = OpenRegularFile(path, info);
    if (!fd) return {};
    std::string line;
    char chunk[4096];
    for (;;) {
        ssize_t got = ::read(fd->get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        if (got == 0) break;
        const std::string_view piece(chunk, static_cast<std::size_t>(got));
        const std::size_t end = piece.find('\n');
        line.append(piece.substr(0, end));
        if (end != std::string_view::npos) break;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

Status WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes) {
    std::filesystem::path directory = target.parent_path();
    if (directory.empty()) directory = ".";
    // The temporary name is built from a cut stem, so that a target whose
    // name is as long as the file system allows still gets one.
    const std::string stem = target.filename().string().substr(0, kTemporaryStemLength);
    std::string pattern = (directory / ("." + stem + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(pattern.data()));
    if (fd.get() < 0) return Failure(target, "cannot create a temporary file for");
    const std::string temporary = pattern;

    auto abandon = [&](const char* what) {
        Status failure = Failure(target, what);
        ::unlink(temporary.c_str());
        return failure;
    };

    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon("cannot write");
        }
        written += static_cast<std::size_t>(n);
    }
    // Keep the permissions a freshly created file would get, not mkstemp's 0600.
    mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat existing {};
    mode_t mode = (::stat(target.c_str(), &existing) == 0) ? (existing.st_mode & 07777) : (0666 & ~mask);
    if (::fchmod(fd.get(), mode) != 0) return abandon("cannot set the mode of");
    if (::fsync(fd.get()) != 0) return abandon("cannot flush");
    if (::close(fd.release()) != 0) return abandon("cannot close");
    if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon("cannot replace");
    return Status::Ok();
}

Status WriteFileAtomically(const std::filesystem::path& target, std::string_view text) {
    return WriteFileAtomically(
        target, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace tovrin
