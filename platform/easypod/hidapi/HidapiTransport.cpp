#include "platform/easypod/hidapi/HidapiTransport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <utility>

namespace tovrin::easypod {

namespace {

bool EnsureHidapi() {
    static const bool initialised = hid_init() == 0;
    return initialised;
}

// hidapi says only that an open failed; the node's own open tells whether
// it was for lack of permission.
bool NodeRefusesAccess(const char* path) {
    const int fd = ::open(path, O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EACCES || errno == EPERM;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A device's strings are short; a longer one is cut rather than trusted.
constexpr std::size_t kMaxWideLength = 256;

}  // namespace

std::string WideToUtf8(const wchar_t* text) {
    std::string utf8;
    if (text == nullptr) return utf8;
    for (std::size_t i = 0; i < kMaxWideLength && text[i] != L'\0'; ++i)
        AppendUtf8(utf8, static_cast<char32_t>(text[i]));
    return utf8;
}

HidapiTransport::HidapiTransport(HidapiDeviceChoice choice) : choice_(std::move(choice)) {}

HidapiTransport::~HidapiTransport() {
    Close();
}

void HidapiTransport::KeepHidapiError(std::string_view what) {
    lastError_ = std::string(what);
    const std::string reason = WideToUtf8(hid_error(device_));
    if (!reason.empty() && reason != "Success") lastError_ += ": " + reason;
}

HidOpenStatus HidapiTransport::Open(const HidDeviceMatch& match) {
    Close();
    lastError_.clear();
    if (!EnsureHidapi()) {
        KeepHidapiError("hidapi could not start");
        return HidOpenStatus::Failed;
    }
    hid_device_info* list = hid_enumerate(match.vendorId, match.productId);
    std::string path;
    uint32_t seen = 0;
    for (hid_device_info* info = list; info != nullptr; info = info->next) {
        if (info->path == nullptr) continue;
        bool chosen = false;
        switch (choice_.by) {
            case HidapiDeviceChoice::By::Index:
                chosen = ++seen == match.index;
                break;
            case HidapiDeviceChoice::By::Path:
                chosen = match.index == 1 && choice_.value == info->path;
                break;
            case HidapiDeviceChoice::By::Serial:
                chosen = match.index == 1 && choice_.value == WideToUtf8(info->serial_number);
                break;
        }
        if (chosen) {
            path = info->path;
            break;
        }
    }
    hid_free_enumeration(list);
    if (path.empty()) {
        lastError_ = "no burner is attached";
        if (choice_.by != HidapiDeviceChoice::By::Index)
            lastError_ = "burner " + choice_.value + " is not attached";
        return HidOpenStatus::NotFound;
    }

    hid_device* handle = hid_open_path(path.c_str());
    if (handle == nullptr) {
        KeepHidapiError("cannot open " + path);
        return NodeRefusesAccess(path.c_str()) ? HidOpenStatus::AccessDenied : HidOpenStatus::Failed;
    }
    device_ = handle;
    return HidOpenStatus::Opened;
}

// hidraw writes carry no time-out of their own; the kernel bounds an output
// report transfer itself (five seconds), which is the record's value anyway.
bool HidapiTransport::WriteReport(const HidReport& report, std::chrono::milliseconds /*timeout*/) {
    if (device_ == nullptr) {
        lastError_ = "the burner is not open";
        return false;
    }
    unsigned char frame[kHidReportSize + 1] = {0};  // report id 0 first
    std::memcpy(frame + 1, report.data(), kHidReportSize);
    const int written = hid_write(device_, frame, sizeof frame);
    if (written < 0) {
        KeepHidapiError("write failed");
        return false;
    }
    // Part of a report is not a report: the burner would take it as garbage.
    if (static_cast<std::size_t>(written) != sizeof frame) {
        lastError_ =
            "short write: " + std::to_string(written) + " of " + std::to_string(sizeof frame) + " bytes";
        return false;
    }
    return true;
}

HidReadStatus HidapiTransport::ReadReport(HidReport& report, std::chrono::milliseconds timeout) {
    if (device_ == nullptr) {
        lastError_ = "the burner is not open";
        return HidReadStatus::Failed;
    }
    report.fill(0);
    const auto ms = timeout.count() > INT_MAX ? INT_MAX : static_cast<int>(timeout.count());
    const int got = hid_read_timeout(device_, report.data(), report.size(), ms < 0 ? 0 : ms);
    if (got < 0) {
        KeepHidapiError("read failed");
        return HidReadStatus::Failed;
    }
    if (got == 0) {
        lastError_ = "no reply within " + std::to_string(timeout.count()) + " ms";
        return HidReadStatus::TimedOut;
    }
    return HidReadStatus::Received;
}

void HidapiTransport::Close() {
    if (device_ == nullptr) return;
    hid_close(device_);
    device_ = nullptr;
}

}  // namespace tovrin::easypod
