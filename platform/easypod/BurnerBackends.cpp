#include "platform/easypod/BurnerBackends.h"

#include <cstdio>
#include <cstdlib>

namespace tovrin::easypod {

namespace {

const BurnerBackendEntry* FindEntry(std::string_view name, const BurnerBackendTable& table) {
    for (const auto& entry : table)
        if (entry.name == name) return &entry;
    return nullptr;
}

Status CheckDistinct(const std::vector<BurnerTarget>& targets) {
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const BurnerTarget& a = targets[j];
            const BurnerTarget& b = targets[i];
            if (a.backend != b.backend) continue;
            if (a.identity.empty() || b.identity.empty()) {
                const BurnerTarget& any = a.identity.empty() ? a : b;
                const BurnerTarget& other = a.identity.empty() ? b : a;
                return Error{"\"" + any.label + "\" may be any " + any.backend +
                             " burner, so it cannot be listed with \"" + other.label +
                             "\"; name each burner by itself"};
            }
            if (a.identity == b.identity)
                return Error{"burner " + EscapedDeviceText(a.identity) + " is chosen twice: by \"" +
                             EscapedDeviceText(a.label) + "\" and by \"" + EscapedDeviceText(b.label) + "\""};
        }
    }
    return Status::Ok();
}

}  // namespace

std::string EscapedDeviceText(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string SelectorForms(const BurnerBackendTable& table) {
    std::string forms;
    for (const auto& entry : table) {
        if (!forms.empty()) forms += ", ";
        forms += entry.forms;
    }
    return forms;
}

Result<std::vector<BurnerTarget>> SelectBurners(std::string_view text, const BurnerBackendTable& table) {
    std::vector<BurnerTarget> targets;
    for (;;) {
        const std::size_t comma = text.find(kSelectorListSeparator);
        const std::string_view item = text.substr(0, comma);
        if (item.empty())
            return Error{"an empty burner selector in \"" + EscapedDeviceText(text) + "\" (expected " +
                         SelectorForms(table) + ")"};
        const std::size_t colon = item.find(kSelectorParameterSeparator);
        const std::string_view name = item.substr(0, colon);
        const BurnerBackendEntry* entry = FindEntry(name, table);
        if (entry == nullptr)
            return Error{"unknown burner backend \"" + EscapedDeviceText(item) + "\" (expected " +
                         SelectorForms(table) + ")"};
        const std::string_view parameter =
            colon == std::string_view::npos ? std::string_view{} : item.substr(colon + 1);
        if (colon != std::string_view::npos && parameter.empty())
            return Error{"\"" + EscapedDeviceText(item) + "\" names no burner after the colon (expected " +
                         std::string(entry->forms) + ")"};
        auto resolved = entry->resolve(parameter);
        if (!resolved) return resolved.error();
        targets.insert(targets.end(), resolved->begin(), resolved->end());
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (Status distinct = CheckDistinct(targets); !distinct) return distinct.error();
    return targets;
}

std::string BurnerSelectorText(std::string_view option) {
    if (!option.empty()) return std::string(option);
    const char* value = std::getenv(kBurnerSelectorVariable);
    if (value != nullptr && *value != '\0') return value;
    return std::string(kDefaultBurnerSelector);
}

Result<std::unique_ptr<BurnerConnection>> OpenBurner(const BurnerTarget& target,
                                                     const BurnerBackendTable& table) {
    const BurnerBackendEntry* entry = FindEntry(target.backend, table);
    if (entry == nullptr || !entry->open)
        return Error{"no backend \"" + target.backend + "\" in this program"};
    return entry->open(target);
}

std::vector<AttachedBurner> AttachedBurners(const BurnerBackendTable& table) {
    std::vector<AttachedBurner> burners;
    for (const auto& entry : table) {
        if (!entry.enumerate) continue;
        auto found = entry.enumerate();
        burners.insert(burners.end(), found.begin(), found.end());
    }
    return burners;
}

std::string DescribeAttached(const AttachedBurner& burner) {
    std::string text = burner.path + " (";
    text += burner.serial.empty() ? "no serial" : "serial " + EscapedDeviceText(burner.serial);
    if (burner.bus != 0) text += ", bus " + std::to_string(burner.bus);
    if (!burner.ports.empty()) text += " port " + burner.ports;
    if (!burner.mayOpen) text += ", not open to this user";
    return text + ")";
}

std::string DescribeAttachedList(const std::vector<AttachedBurner>& burners) {
    if (burners.empty()) return "no burner is attached";
    std::string text = "attached: ";
    for (std::size_t i = 0; i < burners.size(); ++i) {
        if (i > 0) text += ", ";
        text += DescribeAttached(burners[i]);
    }
    return text;
}

}  // namespace tovrin::easypod
