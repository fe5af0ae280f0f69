// The burner model takes whatever a host writes to its socket: every 64
// bytes of input are one report for it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "burnersim/BurnerFirmware.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tovrin::burnersim::FirmwareSettings settings;
    settings.refusalsPerPacket = size % 3;
    tovrin::burnersim::BurnerFirmware firmware(settings);
    firmware.SetRequestLog([](std::string_view) {});
    tovrin::easypod::HidReport report;
    for (std::size_t offset = 0; offset < size; offset += report.size()) {
        report.fill(0);
        std::memcpy(report.data(), data + offset, std::min(report.size(), size - offset));
        firmware.Receive(report);
    }
    return 0;
}
