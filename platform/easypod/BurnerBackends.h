#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/easypod/HidTransport.h"
#include "platform/system/Result.h"

namespace tovrin::easypod {

// Environment variable that picks the burners at start when --burner is not given.
inline constexpr const char* kBurnerSelectorVariable = "TOVRIN_BURNER";
// What is taken when neither names one: the first burner, as the desktop program does.
inline constexpr std::string_view kDefaultBurnerSelector = "usb";
// "name:parameter", several of them separated by commas.
inline constexpr char kSelectorParameterSeparator = ':';
inline constexpr char kSelectorListSeparator = ',';

// The udev rule that packaging installs so the logged-in user may open the
// burner's hidraw node; named wherever access is refused.
inline constexpr std::string_view kBurnerUdevRuleFile = "60-tovrin.rules";
inline constexpr std::string_view kUdevRulesDirectory = "/lib/udev/rules.d";

// A burner attached to this machine, as enumeration finds it.
struct AttachedBurner {
    std::string path;      // the hidraw node, "/dev/hidraw3"
    std::string serial;    // USB serial number as UTF-8; may be empty
    int bus = 0;           // USB bus number; 0 when unknown
    std::string ports;     // port path below the root hub, "1.4"; empty when unknown
    bool mayOpen = false;  // this user may read and write the node

    bool operator==(const AttachedBurner&) const = default;
};

// One burner chosen by a selector, made concrete.
struct BurnerTarget {
    std::string backend;    // the table entry's name: "usb", "sim"
    std::string parameter;  // what its constructor takes: "", a path, a serial, a socket
    // Two targets with the same backend and identity are one burner. Empty:
    // "whichever is first", which may be any burner of that backend.
    std::string identity;
    std::string label;  // how messages name it: "usb", "usb:/dev/hidraw3", "sim:/tmp/b.sock"

    bool operator==(const BurnerTarget&) const = default;
};

// One burner the program talks to: its transport and whatever that is built of.
class BurnerConnection {
public:
    virtual ~BurnerConnection() = default;
    virtual HidTransport& Transport() = 0;
};

// An entry of the backend table, as flashrom's programmers: a name, a
// parser for the parameter after "name:" and a constructor.
struct BurnerBackendEntry {
    std::string_view name;
    std::string_view forms;  // the selector forms it takes, for help and errors
    // The targets a parameter (empty when the selector has none) stands for:
    // one, or every attached burner for a wildcard. An error says what is
    // wrong, or what is attached when nothing matched.
    std::function<Result<std::vector<BurnerTarget>>(std::string_view parameter)> resolve;
    std::function<Result<std::unique_ptr<BurnerConnection>>(const BurnerTarget& target)> open;
    // The burners of this kind attached now; unset where a backend cannot list them.
    std::function<std::vector<AttachedBurner>()> enumerate;
};

using BurnerBackendTable = std::vector<BurnerBackendEntry>;

// Every form the table takes, "usb, usb:SERIAL, ..., sim, sim:SOCKET".
std::string SelectorForms(const BurnerBackendTable& table);

// Parses one selector or a comma-separated list of them and resolves each.
// Empty items, unknown backends and a burner chosen twice are errors.
Result<std::vector<BurnerTarget>> SelectBurners(std::string_view text, const BurnerBackendTable& table);

// The selector text in force: the option's when given, else TOVRIN_BURNER's
// when set and not empty, else the default.
std::string BurnerSelectorText(std::string_view option);

// Builds the connection of a target that SelectBurners gave.
Result<std::unique_ptr<BurnerConnection>> OpenBurner(const BurnerTarget& target,
                                                     const BurnerBackendTable& table);

// Every burner the table's backends can list.
std::vector<AttachedBurner> AttachedBurners(const BurnerBackendTable& table);

// A device's own text (a serial number) with control characters shown as \xNN.
std::string EscapedDeviceText(std::string_view text);

// "/dev/hidraw3 (serial ABC, bus 1 port 1.4)", the serial's control characters escaped.
std::string DescribeAttached(const AttachedBurner& burner);
// "attached: A, B" or "no burner is attached".
std::string DescribeAttachedList(const std::vector<AttachedBurner>& burners);

}  // namespace tovrin::easypod
