// The hid_* calls, wrapped at link time (-Wl,--wrap=hid_...), answered by
// FakeHidapi's devices, so the hidapi backend runs without hardware.
#include "tests/easypod/FakeHidapi.h"

#include <hidapi.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace tovrin::testing {

namespace {

std::unique_ptr<FakeHidapi>& Slot() {
    static std::unique_ptr<FakeHidapi> fake = std::make_unique<FakeHidapi>();
    return fake;
}

}  // namespace

// An open handle: the device it reaches.
struct FakeHandle {
    std::shared_ptr<FakeHidapi::Device> device;
};

wchar_t* CopyWide(const std::wstring& text) {
    auto* copy = new wchar_t[text.size() + 1];
    std::wmemcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

std::shared_ptr<FakeHidapi::Device> FakeHidapi::Attach(std::string path, std::wstring serial) {
    auto device = std::make_shared<Device>();
    device->path = std::move(path);
    device->serial = std::move(serial);
    devices.push_back(device);
    return device;
}

void FakeHidapi::Detach(const std::string& path) {
    for (auto& device : devices)
        if (device->path == path) device->attached = false;
}

FakeHidapi& FakeHidapi::Instance() {
    return *Slot();
}

void FakeHidapi::Reset() {
    *Slot() = FakeHidapi{};
}

}  // namespace tovrin::testing

using tovrin::testing::CopyWide;
using tovrin::testing::FakeHandle;
using tovrin::testing::FakeHidapi;

extern "C" {

int __wrap_hid_init() {
    return 0;
}

hid_device_info* __wrap_hid_enumerate(unsigned short vendorId, unsigned short productId) {
    hid_device_info* head = nullptr;
    hid_device_info** tail = &head;
    for (const auto& device : FakeHidapi::Instance().devices) {
        if (!device->attached || device->vendorId != vendorId || device->productId != productId) continue;
        auto* info = new hid_device_info{};
        info->path = strdup(device->path.c_str());
        info->vendor_id = device->vendorId;
        info->product_id = device->productId;
        info->serial_number = CopyWide(device->serial);
        *tail = info;
        tail = &info->next;
    }
    return head;
}

void __wrap_hid_free_enumeration(hid_device_info* list) {
    while (list != nullptr) {
        hid_device_info* next = list->next;
        std::free(list->path);
        delete[] list->serial_number;
        delete list;
        list = next;
    }
}

hid_device* __wrap_hid_open_path(const char* path) {
    FakeHidapi& fake = FakeHidapi::Instance();
    ++fake.opens;
    if (fake.openFails) return nullptr;
    for (const auto& device : fake.devices)
        if (device->attached && device->path == path)
            return reinterpret_cast<hid_device*>(new FakeHandle{device});
    return nullptr;
}

int __wrap_hid_write(hid_device* handle, const unsigned char* data, size_t length) {
    FakeHidapi& fake = FakeHidapi::Instance();
    fake.frames.emplace_back(data, data + length);
    auto& device = reinterpret_cast<FakeHandle*>(handle)->device;
    if (!device->attached) return -1;
    if (fake.writeResult) return *fake.writeResult;
    // Report id first, then the report.
    tovrin::easypod::HidReport report{};
    std::memcpy(report.data(), data + 1, std::min(length - 1, report.size()));
    if (const auto reply = device->firmware->Receive(report))
        device->replies.emplace_back(reply->begin(), reply->end());
    return static_cast<int>(length);
}

int __wrap_hid_read_timeout(hid_device* handle, unsigned char* data, size_t length, int milliseconds) {
    FakeHidapi& fake = FakeHidapi::Instance();
    fake.readTimeouts.push_back(milliseconds);
    auto& device = reinterpret_cast<FakeHandle*>(handle)->device;
    if (!device->attached || fake.readFails) return -1;
    if (device->replies.empty()) return 0;
    const auto reply = device->replies.front();
    device->replies.pop_front();
    const std::size_t take = std::min(length, reply.size());
    std::memcpy(data, reply.data(), take);
    return static_cast<int>(take);
}

void __wrap_hid_close(hid_device* handle) {
    ++FakeHidapi::Instance().closes;
    delete reinterpret_cast<FakeHandle*>(handle);
}

const wchar_t* __wrap_hid_error(hid_device*) {
    return FakeHidapi::Instance().errorText.c_str();
}

}  // extern "C"
