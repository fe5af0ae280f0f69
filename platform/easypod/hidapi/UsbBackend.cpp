#include "platform/easypod/hidapi/UsbBackend.h"

#include <hidapi.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <system_error>

#include "platform/easypod/EasyPod.h"
#include "platform/easypod/hidapi/HidapiTransport.h"

namespace tovrin::easypod {

namespace {

constexpr std::string_view kUsbName = "usb";
constexpr std::string_view kEveryBurner = "*";

std::string Canonical(const std::string& path) {
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

class UsbConnection final : public BurnerConnection {
public:
    explicit UsbConnection(HidapiDeviceChoice choice) : transport_(std::move(choice)) {}
    HidTransport& Transport() override { return transport_; }

private:
    HidapiTransport transport_;
};

BurnerTarget TargetFor(const AttachedBurner& burner, std::string parameter, std::string label) {
    return {std::string(kUsbName), std::move(parameter), Canonical(burner.path), std::move(label)};
}

Result<std::vector<BurnerTarget>> ResolveUsb(std::string_view parameter) {
    const std::string usb(kUsbName);
    if (parameter.empty()) return std::vector<BurnerTarget>{{usb, "", "", usb}};
    const std::vector<AttachedBurner> attached = ListUsbBurners();
    const std::string text(parameter);
    std::vector<BurnerTarget> targets;
    if (parameter == kEveryBurner) {
        for (const auto& burner : attached)
            targets.push_back(TargetFor(burner, burner.path, usb + ":" + burner.path));
        if (targets.empty()) return Error{"usb:* matches no burner: " + DescribeAttachedList(attached)};
        return targets;
    }
    if (parameter.front() == '/') {
        const std::string wanted = Canonical(text);
        for (const auto& burner : attached)
            if (Canonical(burner.path) == wanted)
                return std::vector<BurnerTarget>{TargetFor(burner, text, usb + ":" + text)};
        return Error{"no burner at " + text + "; " + DescribeAttachedList(attached)};
    }
    std::vector<const AttachedBurner*> matching;
    for (const auto& burner : attached)
        if (burner.serial == text) matching.push_back(&burner);
    if (matching.empty())
        return Error{"no burner has the serial \"" + EscapedDeviceText(text) + "\"; " +
                     DescribeAttachedList(attached)};
    if (matching.size() > 1)
        return Error{"usb:" + EscapedDeviceText(text) + " names " + std::to_string(matching.size()) +
                     " burners; choose one by its node: " + DescribeAttachedList(attached)};
    return std::vector<BurnerTarget>{TargetFor(*matching.front(), text, usb + ":" + text)};
}

Result<std::unique_ptr<BurnerConnection>> OpenUsb(const BurnerTarget& target) {
    HidapiDeviceChoice choice;
    if (!target.parameter.empty()) {
        choice.by =
            target.parameter.front() == '/' ? HidapiDeviceChoice::By::Path : HidapiDeviceChoice::By::Serial;
        choice.value = target.parameter;
    }
    return std::unique_ptr<BurnerConnection>(std::make_unique<UsbConnection>(std::move(choice)));
}

}  // namespace

UsbLocation UsbLocationFromSysfsPath(std::string_view devicePath) {
    UsbLocation location;
    while (!devicePath.empty()) {
        const std::size_t slash = devicePath.find('/');
        const std::string_view part = devicePath.substr(0, slash);
        devicePath.remove_prefix(slash == std::string_view::npos ? devicePath.size() : slash + 1);
        const std::size_t dash = part.find('-');
        if (dash == 0 || dash == std::string_view::npos || dash + 1 == part.size()) continue;
        const std::string_view ports = part.substr(dash + 1);
        if (ports.front() == '.' || ports.back() == '.' ||
            ports.find_first_not_of("0123456789.") != std::string_view::npos)
            continue;
        int bus = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + dash, bus);
        if (error != std::errc() || end != part.data() + dash) continue;
        location = {bus, std::string(ports)};
    }
    return location;
}

std::vector<AttachedBurner> ListUsbBurners(const std::filesystem::path& sysfsRoot) {
    std::vector<AttachedBurner> burners;
    if (hid_init() != 0) return burners;
    hid_device_info* list = hid_enumerate(static_cast<unsigned short>(kBurnerVendorId),
                                          static_cast<unsigned short>(kBurnerProductId));
    for (hid_device_info* info = list; info != nullptr; info = info->next) {
        if (info->path == nullptr) continue;
        AttachedBurner burner;
        burner.path = info->path;
        if (std::any_of(burners.begin(), burners.end(), [&](const auto& b) { return b.path == burner.path; }))
            continue;
        burner.serial = WideToUtf8(info->serial_number);
        const auto node = std::filesystem::path(burner.path).filename();
        std::error_code error;
        const auto device = std::filesystem::canonical(sysfsRoot / "class/hidraw" / node / "device", error);
        if (!error) {
            const UsbLocation location = UsbLocationFromSysfsPath(device.string());
            burner.bus = location.bus;
            burner.ports = location.ports;
        }
        burner.mayOpen = ::access(burner.path.c_str(), R_OK | W_OK) == 0;
        burners.push_back(std::move(burner));
    }
    hid_free_enumeration(list);
    return burners;
}

BurnerBackendEntry UsbBurnerBackend() {
    return {kUsbName, "usb, usb:SERIAL, usb:/dev/hidrawN, usb:*", ResolveUsb, OpenUsb,
            [] { return ListUsbBurners(); }};
}

}  // namespace tovrin::easypod
