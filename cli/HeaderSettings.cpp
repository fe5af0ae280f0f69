#include "cli/HeaderSettings.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <string_view>

#include "image/ChipNames.h"
#include "image/HexField.h"
#include "image/ImageHeader.h"
#include "image/RollingCodeControls.h"
#include "image/Workbench.h"

namespace tovrin::cli {
namespace {

using image::HexField;

constexpr std::size_t kOptionByteDigits = image::header::kOptionBlockLength * 2;

constexpr std::array<const char*, 4> kAddressRadioTexts = {"1地址", "2地址", "3地址", "4地址"};

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

Error Refused(const std::string& option, const std::string& why) {
    return Error{option + ": " + why};
}

Status SetCheckbox(bool& member, int wanted, bool enabled, const char* option, const char* why) {
    if (wanted == HeaderSettings::kUnset) return Status::Ok();
    // A disabled checkbox cannot be clicked; asking for the value it already has changes nothing.
    if (!enabled && member != (wanted == 1)) return Refused(option, why);
    member = wanted == 1;
    return Status::Ok();
}

Status TypeInto(image::Workbench& workbench, int id, const std::string& text, int digits,
                const std::string& option) {
    if (text.empty()) return Status::Ok();
    if (!HexField::IsWellFormed(text, digits))
        return Refused(
            option, "needs exactly " + std::to_string(digits) + " hexadecimal digits, not \"" + text + "\"");
    auto state = workbench.RollingCodeControlStates().Find(id);
    if (!state || !state->enabled || state->readOnly)
        return Refused(option, workbench.Controls().rollingCodeEnabled
                                   ? "this address is beyond the selected address count (see --addresses)"
                                   : "the rolling code is disabled (see --rolling-code)");
    auto& controls = workbench.Controls();
    HexField* field = nullptr;
    for (std::size_t i = 0; i < image::kAddressEdits.size(); ++i)
        if (image::kAddressEdits[i] == id) field = &controls.addresses[i];
    if (id == image::control::kInitialValue) field = &controls.initialValue;
    if (id == image::control::kStep) field = &controls.step;
    field->SetText(UpperCase(text));
    return Status::Ok();
}

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        auto digit = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return -1;
        };
        int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return bytes;
}

}  // namespace

void AddHeaderSettingOptions(CLI::App& command, HeaderSettings& s) {
    auto flag = [&](const char* name, int& target, const char* help) {
        command.add_option(name, target, help)->check(CLI::Range(0, 1))->group("Settings");
    };
    flag("--verify", s.verify, "校验 (header byte 7 bit 0)");
    flag("--program", s.program, "烧录 (bit 1)");
    flag("--blank-check", s.blankCheck, "查空 (bit 2)");
    flag("--test", s.test, "测试 (bit 5); only when the chip's test pattern allows it");
    flag("--rolling-code", s.rollingCode, "滚码使能 (bit 3)");
    command.add_option("--addresses", s.addresses, "Number of rolling-code addresses")
        ->check(CLI::Range(1, 4))
        ->group("Settings");
    for (int i = 0; i < 4; ++i)
        command
            .add_option("--address" + std::to_string(i + 1), s.address[static_cast<std::size_t>(i)],
                        "Rolling-code address " + std::to_string(i + 1) + ", 4 hexadecimal digits")
            ->group("Settings");
    command.add_option("--initial", s.initialValue, "Rolling-code initial value, 8 hexadecimal digits")
        ->group("Settings");
    command.add_option("--step", s.step, "Rolling-code step, 8 hexadecimal digits")->group("Settings");
    command
        .add_option("--option-bytes", s.optionBytes,
                    "Header bytes 48 to 79 as 64 hexadecimal digits, taken in as the option dialogs do")
        ->group("Settings");
    AddDialogSettingOptions(command, s.dialogs);
}

Status ApplyHeaderSettings(image::Workbench& workbench, const HeaderSettings& s) {
    if (!s.optionBytes.empty()) {
        auto bytes = ParseHexBytes(s.optionBytes);
        if (!bytes || s.optionBytes.size() != kOptionByteDigits)
            return Refused("--option-bytes", "needs exactly 64 hexadecimal digits");
        // The option dialogs open on a freshly built header and hand their bytes back.
        workbench.BuildHeader();
        workbench.OptionByteBuffer() = *bytes;
        workbench.ReceiveOptionBytes();
    }
    if (Status dialogs = ApplyDialogSettings(workbench, s.dialogs); !dialogs) return dialogs;

    auto& controls = workbench.Controls();
    Status status = SetCheckbox(controls.verify, s.verify, true, "--verify", "");
    if (status) status = SetCheckbox(controls.program, s.program, true, "--program", "");
    if (status) status = SetCheckbox(controls.blankCheck, s.blankCheck, true, "--blank-check", "");
    if (status)
        status = SetCheckbox(
            controls.test, s.test, workbench.TestCheckboxEnabled(), "--test",
            "the 测试 checkbox is disabled: the chip's test pattern does not allow the function test");
    if (!status) return status;

    if (s.rollingCode != HeaderSettings::kUnset) {
        controls.rollingCodeEnabled = s.rollingCode == 1;
        workbench.RefreshRollingCodeControls();
    }
    if (s.addresses != HeaderSettings::kUnset) {
        const std::size_t index = static_cast<std::size_t>(s.addresses - 1);
        auto radio = workbench.RollingCodeControlStates().Find(image::kAddressCountRadios[index]);
        if (!radio || !radio->enabled) {
            std::string why =
                std::string("the \"") + kAddressRadioTexts[index] + "\" radio button is disabled: ";
            if (!controls.rollingCodeEnabled)
                why += "the rolling code is disabled (see --rolling-code)";
            else
                why +=
                    "only the chip " + std::string(image::kQ3L88ChipName) + " offers three or four addresses";
            return Refused("--addresses", why);
        }
        controls.addressCountIndex = static_cast<int>(index);
        workbench.RefreshRollingCodeControls();
    }
    for (std::size_t i = 0; i < 4; ++i) {
        status = TypeInto(workbench, image::kAddressEdits[i], s.address[i], HexField::kShortDigits,
                          "--address" + std::to_string(i + 1));
        if (!status) return status;
    }
    status = TypeInto(workbench, image::control::kInitialValue, s.initialValue, HexField::kLongDigits,
                      "--initial");
    if (status) status = TypeInto(workbench, image::control::kStep, s.step, HexField::kLongDigits, "--step");
    return status;
}

}  // namespace tovrin::cli
