#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "catalogue/PixelRect.h"
#include "platform/system/Result.h"

// The open/short pin-test settings: bytes 16..21 of the OptionByteBuffer as
// the state of the pin-test dialog, its layout rules and its OK.
namespace tovrin::image {

namespace pin_test {
inline constexpr std::size_t kFirstByte = 16;  // in the OptionByteBuffer
inline constexpr std::size_t kPinBytes = 5;    // 16..20, one bit per socket pin
inline constexpr std::size_t kSettingsByte = 21;
inline constexpr std::size_t kBufferBytesNeeded = kSettingsByte + 1;
inline constexpr int kSocketPins = 40;
inline constexpr int kSocketRows = 20;
inline constexpr int kEnableCheckboxId = 1102;

inline constexpr uint8_t kKeptBits = 0xC0;  // bits 7 and 6 stay as the header brings them
inline constexpr uint8_t kBit7 = 0x80;
inline constexpr uint8_t kAlwaysSet = 0x20;
inline constexpr uint8_t kDisabledBit = 0x10;
inline constexpr uint8_t kCodeBits = 0x0F;
// Bytes 17 and 19 when the test is off and bit 7 of byte 21 was clear.
inline constexpr uint8_t kDisabledWithBit7ClearFill = 0x3F;
}  // namespace pin_test

struct PinCountChoice {
    int radioId;
    std::string_view text;
    uint8_t code;  // stored inverted in byte 21 bits 3..0
    int rows;      // socket rows the chip occupies, from the bottom
};

inline constexpr std::size_t kOtherPinCount = 10;  // "其它": any layout, nothing ticked
inline constexpr std::array<PinCountChoice, 11> kPinCountChoices = {{
    {1103, "8", 10, 4},
    {1104, "10", 9, 5},
    {1105, "14", 8, 7},
    {1106, "16", 7, 8},
    {1107, "18", 6, 9},
    {1108, "20", 5, 10},
    {1109, "24", 4, 12},
    {1110, "28", 3, 14},
    {1111, "32", 2, 16},
    {1112, "40", 1, 20},
    {1113, "其它", 0, 20},
}};

// Check box ids of the 40-pin outline, row k (from 1 at the top) holding
// pin k on the left and pin 41 - k on the right.
struct SocketRow {
    int leftId;
    int rightId;
};
inline constexpr std::array<SocketRow, pin_test::kSocketRows> kPinCheckboxRows = {{
    {1081, 1101}, {1099, 1083}, {1080, 1100}, {1098, 1082}, {1060, 1097}, {1061, 1079}, {1066, 1096},
    {1084, 1078}, {1067, 1095}, {1085, 1077}, {1068, 1094}, {1086, 1076}, {1069, 1093}, {1087, 1075},
    {1062, 1092}, {1063, 1074}, {1070, 1091}, {1088, 1073}, {1071, 1090}, {1089, 1072},
}};

// Socket row (1..20) of a pin (1..40), and its check box id.
int SocketRowOfPin(int pin);
int PinCheckboxId(int pin);

struct PinTestState {
    bool enabled = false;
    std::array<bool, pin_test::kSocketPins> pins{};  // index pin - 1; set = tested
    std::size_t pinCount = kOtherPinCount;           // index into kPinCountChoices
    bool bit7WasClear = false;
    bool autoSelect = false;
};

// What the layout tells the controls.
struct PinTestLayout {
    bool radiosEnabled = false;
    std::array<bool, pin_test::kSocketPins> pinEnabled{};
    catalogue::PixelRect chipBody;  // left, top, right, bottom
    catalogue::PixelRect notch;
};

// The dialog's opening state; needs bytes 16..21 in the buffer.
Result<PinTestState> DecodePinTest(std::span<const uint8_t> optionBytes);

// The layout after opening and after every click; ticks the rows of a just
// chosen pin count (clearing the others) and consumes the auto-select flag.
PinTestLayout LayOutPinTest(PinTestState& state);

// Click on 1102: "其它" with no pin ticked, whichever way the box went.
void SetPinTestEnabled(PinTestState& state, bool enabled);
// Click on a pin-count radio button.
void ChoosePinCount(PinTestState& state, std::size_t choice);
// Whether a pin's check box is enabled under the state's current choice.
bool PinSelectable(const PinTestState& state, int pin);
// Ticks exactly these pins, as clicks on the enabled check boxes would;
// refuses a pin whose box is disabled or that the socket lacks.
Status TickExactlyPins(PinTestState& state, std::span<const int> pins);

// OK: writes bytes 16..21 of the buffer (bits 7 and 6 of byte 21 kept as
// the buffer holds them); needs 22 bytes.
Status ComposePinTest(const PinTestState& state, std::vector<uint8_t>& optionBytes);

}  // namespace tovrin::image
