#pragma once

#include <array>
#include <optional>

#include "image/ControlIds.h"

namespace tovrin::image {

// Text an address edit beyond the selected count is cleared to.
inline constexpr const char* kClearedAddressText = "0000";

// What the dialog applies to one control.
struct ControlState {
    int id = 0;
    bool enabled = false;
    bool readOnly = false;       // meaningful for the edits only
    bool clearedToZero = false;  // the edit's text becomes kClearedAddressText

    bool operator==(const ControlState&) const = default;
};

struct RollingCodeControlSet {
    // Radios 1031, 1016, 1015, 1012; labels 1114, 1115; edits 1041, 1035,
    // 1036, 1037, 1040, 1039, in this order.
    std::array<ControlState, 12> controls;

    // The state of control id, or nullopt when id is not a rolling-code control.
    std::optional<ControlState> Find(int id) const;
};

// The rolling-code refresh as data: enabled is the rolling-code enabled flag,
// addressCountIndex the radio index (values outside 0..3 count as the nearest
// end), exactQ3L88 whether SelectedChipName is exactly "Q3L88" (only that chip
// offers three or four addresses).
RollingCodeControlSet ComputeRollingCodeControls(bool enabled, int addressCountIndex, bool exactQ3L88);

}  // namespace tovrin::image
