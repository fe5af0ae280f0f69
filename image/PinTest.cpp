#include "image/PinTest.h"

#include <string>

namespace tovrin::image {

namespace {

using namespace pin_test;

constexpr int kRowsPerByte = 4;
constexpr int kBodyLeft = 84;
constexpr int kBodyWidth = 96;
constexpr int kBodyBottom = 342;
constexpr int kRowHeight = 15;
constexpr int kNotchLeft = 122;
constexpr int kNotchWidth = 20;
constexpr int kNotchHeight = 10;

bool PinInSocket(int pin) {
    return pin >= 1 && pin <= kSocketPins;
}

// Byte (from 16) and bit of a pin: row k sits in byte 16 + (k - 1) / 4, the
// left pin in the even bit, the right one in the odd bit above it.
std::size_t PinByte(int pin) {
    return kFirstByte + static_cast<std::size_t>((SocketRowOfPin(pin) - 1) / kRowsPerByte);
}
uint8_t PinBit(int pin) {
    const int row = SocketRowOfPin(pin);
    const int bit = 2 * ((row - 1) % kRowsPerByte) + (pin > kSocketRows ? 1 : 0);
    return static_cast<uint8_t>(1u << bit);
}

const PinCountChoice& ChoiceOf(const PinTestState& state) {
    return kPinCountChoices[state.pinCount < kPinCountChoices.size() ? state.pinCount : kOtherPinCount];
}

bool RowQualifies(const PinTestState& state, int row) {
    return row > kSocketRows - ChoiceOf(state).rows;
}

std::size_t ChoiceOfCode(uint8_t code) {
    for (std::size_t i = 0; i < kPinCountChoices.size(); ++i)
        if (kPinCountChoices[i].code == code) return i;
    return kOtherPinCount;
}

Error TooShort(std::size_t size) {
    return Error{"the option bytes hold " + std::to_string(size) + " bytes; the pin test needs " +
                 std::to_string(kBufferBytesNeeded)};
}

}  // namespace

int SocketRowOfPin(int pin) {
    if (!PinInSocket(pin)) return 0;
    return pin <= kSocketRows ? pin : kSocketPins + 1 - pin;
}

int PinCheckboxId(int pin) {
    if (!PinInSocket(pin)) return 0;
    const SocketRow& row = kPinCheckboxRows[static_cast<std::size_t>(SocketRowOfPin(pin) - 1)];
    return pin <= kSocketRows ? row.leftId : row.rightId;
}

Result<PinTestState> DecodePinTest(std::span<const uint8_t> optionBytes) {
    if (optionBytes.size() < kBufferBytesNeeded) return TooShort(optionBytes.size());
    const uint8_t settings = optionBytes[kSettingsByte];
    PinTestState state;
    state.enabled = (settings & kDisabledBit) == 0;
    state.bit7WasClear = (settings & kBit7) == 0;
    const uint8_t code = state.enabled ? static_cast<uint8_t>(~settings & kCodeBits) : 0;
    state.pinCount = ChoiceOfCode(code);
    if (state.enabled)
        for (int pin = 1; pin <= kSocketPins; ++pin)
            state.pins[static_cast<std::size_t>(pin - 1)] = (optionBytes[PinByte(pin)] & PinBit(pin)) == 0;
    return state;
}

PinTestLayout LayOutPinTest(PinTestState& state) {
    PinTestLayout layout;
    layout.radiosEnabled = state.enabled;
    for (int pin = 1; pin <= kSocketPins; ++pin) {
        const bool qualifies = RowQualifies(state, SocketRowOfPin(pin));
        const auto index = static_cast<std::size_t>(pin - 1);
        layout.pinEnabled[index] = state.enabled && qualifies;
        if (state.autoSelect) state.pins[index] = qualifies && ChoiceOf(state).code != 0;
    }
    const int bodyHeight = kRowHeight * ChoiceOf(state).rows;
    const int top = kBodyBottom - bodyHeight;
    layout.chipBody = {kBodyLeft, top, kBodyLeft + kBodyWidth, kBodyBottom};
    layout.notch = {kNotchLeft, top, kNotchLeft + kNotchWidth, top + kNotchHeight};
    state.autoSelect = false;
    return layout;
}

void SetPinTestEnabled(PinTestState& state, bool enabled) {
    state.enabled = enabled;
    state.pinCount = kOtherPinCount;
    state.pins.fill(false);
}

void ChoosePinCount(PinTestState& state, std::size_t choice) {
    if (choice >= kPinCountChoices.size()) return;
    state.pinCount = choice;
    state.autoSelect = true;
}

bool PinSelectable(const PinTestState& state, int pin) {
    return PinInSocket(pin) && state.enabled && RowQualifies(state, SocketRowOfPin(pin));
}

Status TickExactlyPins(PinTestState& state, std::span<const int> pins) {
    std::array<bool, kSocketPins> ticked{};
    for (int pin : pins) {
        if (!PinInSocket(pin))
            return Error{"pin " + std::to_string(pin) + " is not on the 40-pin socket (1 to 40)"};
        if (!PinSelectable(state, pin)) {
            if (!state.enabled) return Error{"the open/short test is off: no pin can be ticked"};
            const PinCountChoice& choice = ChoiceOf(state);
            return Error{"pin " + std::to_string(pin) + " lies outside the bottom " +
                         std::to_string(choice.rows) + " socket rows that a chip of " +
                         std::string(choice.text) + " pins occupies"};
        }
        ticked[static_cast<std::size_t>(pin - 1)] = true;
    }
    state.pins = ticked;
    return Status::Ok();
}

Status ComposePinTest(const PinTestState& state, std::vector<uint8_t>& optionBytes) {
    if (optionBytes.size() < kBufferBytesNeeded) return TooShort(optionBytes.size());
    std::array<uint8_t, kPinBytes> packed{};
    for (int pin = 1; pin <= kSocketPins; ++pin)
        if (state.pins[static_cast<std::size_t>(pin - 1)]) packed[PinByte(pin) - kFirstByte] |= PinBit(pin);
    for (std::size_t i = 0; i < kPinBytes; ++i)
        optionBytes[kFirstByte + i] = static_cast<uint8_t>(~packed[i]);
    if (!state.enabled && state.bit7WasClear) {
        optionBytes[kFirstByte + 1] = kDisabledWithBit7ClearFill;
        optionBytes[kFirstByte + 3] = kDisabledWithBit7ClearFill;
    }
    const uint8_t code = ChoiceOf(state).code;
    optionBytes[kSettingsByte] =
        static_cast<uint8_t>((optionBytes[kSettingsByte] & kKeptBits) | kAlwaysSet |
                             (state.enabled ? 0 : kDisabledBit) | (~code & kCodeBits));
    return Status::Ok();
}

}  // namespace tovrin::image
