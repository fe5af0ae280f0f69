#include "image/RollingCodeControls.h"

#include <algorithm>

namespace tovrin::image {

std::optional<ControlState> RollingCodeControlSet::Find(int id) const {
    for (const ControlState& state : controls) {
        if (state.id == id) return state;
    }
    return std::nullopt;
}

RollingCodeControlSet ComputeRollingCodeControls(bool enabled, int addressCountIndex, bool exactQ3L88) {
    const int writableAddresses = std::clamp(addressCountIndex, 0, 3) + 1;
    RollingCodeControlSet set;
    std::size_t next = 0;
    auto add = [&](int id, bool isEnabled, bool readOnly, bool cleared) {
        set.controls[next++] = ControlState{id, isEnabled, readOnly, cleared};
    };

    add(control::kOneAddress, enabled, false, false);
    add(control::kTwoAddresses, enabled, false, false);
    add(control::kThreeAddresses, enabled && exactQ3L88, false, false);
    add(control::kFourAddresses, enabled && exactQ3L88, false, false);
    add(control::kInitialValueLabel, enabled, false, false);
    add(control::kStepLabel, enabled, false, false);
    for (int address = 0; address < 4; ++address) {
        const int id = control::kAddressEdits[static_cast<std::size_t>(address)];
        if (!enabled) {
            // Disabled, but the texts stay as they are.
            add(id, false, true, false);
        } else if (address < writableAddresses) {
            add(id, true, false, false);
        } else {
            add(id, false, true, true);
        }
    }
    add(control::kInitialValue, enabled, !enabled, false);
    add(control::kStep, enabled, !enabled, false);
    return set;
}

}  // namespace tovrin::image
