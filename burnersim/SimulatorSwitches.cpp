#include "burnersim/SimulatorSwitches.h"

#include <charconv>

namespace tovrin::burnersim {

namespace {

std::optional<uint32_t> ParseHexId(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2);
    if (text.empty() || text.size() > 8) return std::nullopt;
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

Result<SimulatorSettings> SettingsFromSwitches(const SimulatorSwitches& switches) {
    SimulatorSettings settings;
    settings.firmware.firmwareVersion = switches.firmware;
    if (!switches.id.empty()) {
        const auto id = ParseHexId(switches.id);
        if (!id)
            return Error{std::string(switch_name::kId) + " wants 1 to 8 hexadecimal digits, not \"" +
                         switches.id + "\""};
        settings.firmware.burnerId = *id;
    }
    settings.firmware.refusalsPerPacket = switches.refuse;
    settings.firmware.wrongChecksum = switches.wrongChecksum;
    settings.faults.unplugAfterWrites = switches.unplugAfter;
    settings.faults.lateAfterReads = switches.lateAfter;
    settings.faults.garbageAfterReads = switches.garbageAfter;
    settings.faults.latencyPerReport = std::chrono::milliseconds(switches.latencyMs);
    settings.logPath = switches.log;
    return settings;
}

}  // namespace tovrin::burnersim
