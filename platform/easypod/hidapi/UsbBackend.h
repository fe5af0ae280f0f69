#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/easypod/BurnerBackends.h"

namespace tovrin::easypod {

// The "usb" entry of the backend table: real burners through hidapi.
//   usb             the first burner, whichever it is at each open
//   usb:SERIAL      the burner with this USB serial number
//   usb:/dev/hidrawN  the burner on this node
//   usb:*           every burner attached now
BurnerBackendEntry UsbBurnerBackend();

// The burners hidapi finds (vendor 0x0C00, product 0x0311), with their USB
// location read below sysfsRoot.
std::vector<AttachedBurner> ListUsbBurners(const std::filesystem::path& sysfsRoot = "/sys");

// Where a USB device sits, read from its sysfs path: the last component of
// the form BUS-PORT.PORT... ("/sys/devices/.../usb1/1-1/1-1.4/1-1.4:1.0/..."
// gives bus 1, ports "1.4"). Zero and empty when there is none.
struct UsbLocation {
    int bus = 0;
    std::string ports;
};
UsbLocation UsbLocationFromSysfsPath(std::string_view devicePath);

}  // namespace tovrin::easypod
