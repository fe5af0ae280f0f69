#include "cli/HeaderSettings.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string_view>
#include <vector>

#include "image/ControlIds.h"
#include "image/ImageHeader.h"
#include "image/Workbench.h"

namespace tovrin::cli {
namespace {

constexpr std::size_t kOptionByteDigits = image::header::kOptionBlockLength * 2;

Status Prefixed(const std::string& option, Status status) {
    if (status) return status;
    return Error{option + ": " + status.error().message};
}

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
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
}

Status ApplyHeaderSettings(image::Workbench& workbench, const HeaderSettings& s) {
    if (!s.optionBytes.empty()) {
        auto bytes = ParseHexBytes(s.optionBytes);
        if (!bytes || s.optionBytes.size() != kOptionByteDigits)
            return Error{"--option-bytes: needs exactly 64 hexadecimal digits"};
        // The option dialogs open on a freshly built header and hand their bytes back.
        workbench.BuildHeader();
        if (Status taken = Prefixed("--option-bytes", workbench.TakeOptionBytes(*bytes)); !taken)
            return taken;
    }

    struct Flag {
        const char* option;
        int wanted;
        int controlId;
    };
    for (const Flag& f : {Flag{"--verify", s.verify, control::kVerifyCheckbox},
                          Flag{"--program", s.program, control::kProgramCheckbox},
                          Flag{"--blank-check", s.blankCheck, control::kBlankCheckCheckbox},
                          Flag{"--test", s.test, control::kTestCheckbox}}) {
        if (f.wanted == HeaderSettings::kUnset) continue;
        if (Status set = Prefixed(f.option, workbench.SetFlag(f.controlId, f.wanted == 1)); !set) return set;
    }
    if (s.rollingCode != HeaderSettings::kUnset) {
        if (Status set = Prefixed("--rolling-code", workbench.SetRollingCodeEnabled(s.rollingCode == 1));
            !set)
            return set;
    }
    if (s.addresses != HeaderSettings::kUnset) {
        if (Status set = Prefixed("--addresses", workbench.SetAddressCount(s.addresses)); !set) return set;
    }

    struct Field {
        std::string option;
        const std::string& text;
        int controlId;
    };
    const Field fields[] = {{"--address1", s.address[0], control::kAddress1},
                            {"--address2", s.address[1], control::kAddress2},
                            {"--address3", s.address[2], control::kAddress3},
                            {"--address4", s.address[3], control::kAddress4},
                            {"--initial", s.initialValue, control::kInitialValue},
                            {"--step", s.step, control::kStep}};
    for (const Field& f : fields) {
        if (f.text.empty()) continue;
        if (Status set = Prefixed(f.option, workbench.SetHexField(f.controlId, f.text)); !set) return set;
    }
    return Status::Ok();
}

}  // namespace tovrin::cli
