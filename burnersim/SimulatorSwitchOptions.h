#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

#include "burnersim/SimulatorSwitches.h"

namespace tovrin::burnersim {

// Adds every simulator switch to a command line as --PREFIXNAME, so that
// tovrin-cli's --sim-refuse and tovrin-burnersim's --refuse are one switch.
inline void AddSimulatorSwitches(CLI::App& app, SimulatorSwitches& switches, std::string_view prefix,
                                 const std::string& group) {
    const auto name = [prefix](std::string_view switchName) {
        return "--" + std::string(prefix) + std::string(switchName);
    };
    app.add_option(name(switch_name::kFirmware), switches.firmware,
                   "Firmware version text (35 bytes are sent at most)")
        ->group(group);
    app.add_option(name(switch_name::kId), switches.id, "Burner identity, hexadecimal")->group(group);
    app.add_option(name(switch_name::kLog), switches.log, "Append one line of hex per request block to FILE")
        ->group(group);
    app.add_option(name(switch_name::kRefuse), switches.refuse, "Refuse every download packet K times")
        ->group(group);
    app.add_option(name(switch_name::kUnplugAfter), switches.unplugAfter, "Unplug after N reports written")
        ->group(group);
    app.add_option(name(switch_name::kLatencyMs), switches.latencyMs, "Milliseconds each report takes")
        ->group(group);
    app.add_option(name(switch_name::kLateAfter), switches.lateAfter,
                   "After N replies every reply comes too late (a time-out)")
        ->group(group);
    app.add_option(name(switch_name::kGarbageAfter), switches.garbageAfter,
                   "After N replies every reply is noise")
        ->group(group);
    app.add_flag(name(switch_name::kWrongChecksum), switches.wrongChecksum,
                 "Answer the chip-checksum request with checksums that disagree with the image held")
        ->group(group);
}

}  // namespace tovrin::burnersim
