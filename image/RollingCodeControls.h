#pragma once

#include <array>
#include <optional>

namespace tovrin::image {

// Control ids of the rolling-code group of the main dialog.
namespace control {
inline constexpr int kRollingCodeEnable = 1034;
inline constexpr int kOneAddress = 1031;
inline constexpr int kTwoAddresses = 1016;
inline constexpr int kThreeAddresses = 1015;
inline constexpr int kFourAddresses = 1012;
inline constexpr int kInitialValueLabel = 1114;
inline constexpr int kStepLabel = 1115;
inline constexpr int kAddress1 = 1041;
inline constexpr int kAddress2 = 1035;
inline constexpr int kAddress3 = 1036;
inline constexpr int kAddress4 = 1037;
inline constexpr int kInitialValue = 1040;
inline constexpr int kStep = 1039;
// The other controls whose state the Workbench decides.
inline constexpr int kTestCheckbox = 1028;
inline constexpr int kChipList = 1029;
}  // namespace control

// Radio ids in the order of the address-count index (count - 1).
inline constexpr std::array<int, 4> kAddressCountRadios = {control::kOneAddress, control::kTwoAddresses,
                                                           control::kThreeAddresses, control::kFourAddresses};
// Address edit ids in address order.
inline constexpr std::array<int, 4> kAddressEdits = {control::kAddress1, control::kAddress2,
                                                     control::kAddress3, control::kAddress4};

// Text an address edit beyond the selected count is cleared to.
inline constexpr const char* kClearedAddressText = "0000";

struct ControlState {
    int id = 0;
    bool enabled = false;
    bool readOnly = false;       // meaningful for the edits only
    bool clearedToZero = false;  // the edit's text becomes kClearedAddressText
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
