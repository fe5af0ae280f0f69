#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "burnersim/BurnerFirmware.h"
#include "platform/easypod/FaultyTransport.h"
#include "platform/system/Result.h"

namespace tovrin::burnersim {

// The simulator's switches, one set for both front ends: tovrin-cli takes
// them as --sim-NAME for the in-process burner, tovrin-burnersim as --NAME.
struct SimulatorSwitches {
    std::string firmware{kDefaultFirmwareVersion};
    std::string id;   // hexadecimal, "0x" allowed; empty: the default identity
    std::string log;  // one line of hex per request block; empty: none
    uint32_t refuse = 0;
    std::optional<uint64_t> unplugAfter;
    uint32_t latencyMs = 0;
    std::optional<uint64_t> lateAfter;
    std::optional<uint64_t> garbageAfter;
    bool wrongChecksum = false;
};

// The switches' names, each named once.
namespace switch_name {
inline constexpr std::string_view kFirmware = "firmware";
inline constexpr std::string_view kId = "id";
inline constexpr std::string_view kLog = "log";
inline constexpr std::string_view kRefuse = "refuse";
inline constexpr std::string_view kUnplugAfter = "unplug-after";
inline constexpr std::string_view kLatencyMs = "latency-ms";
inline constexpr std::string_view kLateAfter = "late-after";
inline constexpr std::string_view kGarbageAfter = "garbage-after";
inline constexpr std::string_view kWrongChecksum = "wrong-checksum";
}  // namespace switch_name

// What the switches make of the model and the faults around it.
struct SimulatorSettings {
    FirmwareSettings firmware;
    easypod::FaultPlan faults;
    std::filesystem::path logPath;  // empty: no request log
};

// Checks the switches (the identity must be 1 to 8 hexadecimal digits).
Result<SimulatorSettings> SettingsFromSwitches(const SimulatorSwitches& switches);

}  // namespace tovrin::burnersim
