#include "platform/easypod/HidapiTransport.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

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

}  // namespace

HidapiTransport::HidapiTransport() = default;

HidapiTransport::~HidapiTransport() {
    Close();
}

HidOpenStatus HidapiTransport::Open(const HidDeviceMatch& match) {
    Close();
    if (!EnsureHidapi()) return HidOpenStatus::Failed;
    hid_device_info* list = hid_enumerate(match.vendorId, match.productId);
    std::string path;
    uint32_t seen = 0;
    for (hid_device_info* info = list; info != nullptr; info = info->next) {
        if (info->path != nullptr && ++seen == match.index) {
            path = info->path;
            break;
        }
    }
    hid_free_enumeration(list);
    if (path.empty()) return HidOpenStatus::NotFound;

    hid_device* handle = hid_open_path(path.c_str());
    if (handle == nullptr) {
        return NodeRefusesAccess(path.c_str()) ? HidOpenStatus::AccessDenied : HidOpenStatus::Failed;
    }
    device_ = handle;
    return HidOpenStatus::Opened;
}

// hidraw writes carry no time-out of their own; the kernel bounds an output
// report transfer itself (five seconds), which is the record's value anyway.
bool HidapiTransport::WriteReport(const HidReport& report, std::chrono::milliseconds /*timeout*/) {
    if (device_ == nullptr) return false;
    unsigned char frame[kHidReportSize + 1] = {0};  // report id 0 first
    std::memcpy(frame + 1, report.data(), kHidReportSize);
    return hid_write(device_, frame, sizeof frame) >= 0;
}

HidReadStatus HidapiTransport::ReadReport(HidReport& report, std::chrono::milliseconds timeout) {
    if (device_ == nullptr) return HidReadStatus::Failed;
    report.fill(0);
    const auto ms = timeout.count() > INT_MAX ? INT_MAX : static_cast<int>(timeout.count());
    const int got = hid_read_timeout(device_, report.data(), report.size(), ms);
    if (got < 0) return HidReadStatus::Failed;
    if (got == 0) return HidReadStatus::TimedOut;
    return HidReadStatus::Received;
}

void HidapiTransport::Close() {
    if (device_ == nullptr) return;
    hid_close(device_);
    device_ = nullptr;
}

}  // namespace tovrin::easypod
