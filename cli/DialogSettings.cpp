#include "cli/DialogSettings.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <string_view>

#include "catalogue/OptionRows.h"
#include "image/PinTest.h"
#include "image/Workbench.h"

namespace tovrin::cli {
namespace {

constexpr std::string_view kOff = "off";
constexpr std::string_view kOther = "other";

Error Refused(const std::string& option, const std::string& why) {
    return Error{option + ": " + why};
}

std::string PinCountNames() {
    std::string names;
    for (const auto& choice : image::kPinCountChoices)
        names += std::string(names.empty() ? "" : ", ") +
                 (choice.code == 0 ? std::string(kOther) : std::string(choice.text));
    return names;
}

std::optional<std::size_t> FindPinCount(std::string_view text) {
    for (std::size_t i = 0; i < image::kPinCountChoices.size(); ++i) {
        const auto& choice = image::kPinCountChoices[i];
        if (text == choice.text || (choice.code == 0 && text == kOther)) return i;
    }
    return std::nullopt;
}

Result<std::vector<int>> ParsePins(std::string_view list) {
    std::vector<int> pins;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view piece = list.substr(0, comma);
        int pin = 0;
        const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), pin);
        if (piece.empty() || error != std::errc() || end != piece.data() + piece.size())
            return Error{"\"" + std::string(piece) + "\" is not a pin number"};
        pins.push_back(pin);
        if (comma == std::string_view::npos) return pins;
        list.remove_prefix(comma + 1);
    }
}

Status ApplyConfig(image::Workbench& workbench, const std::vector<std::string>& assignments) {
    workbench.BuildHeader();
    const catalogue::ChipDefinition definition =
        workbench.Catalogue().DefinitionOrEmpty(workbench.SelectedChipName());
    std::vector<uint8_t> buffer = workbench.OptionByteBuffer();
    const catalogue::OptionDialogLayout layout =
        catalogue::BuildOptionDialog(definition, workbench.SelectedChipName(), buffer);
    std::vector<int> selections = catalogue::Selections(layout);
    for (const std::string& assignment : assignments) {
        auto choice = catalogue::FindOptionAssignment(layout, assignment);
        if (!choice) return Refused("--config", choice.error().message);
        selections[choice->row] = choice->selection;
    }
    if (Status applied = catalogue::ApplyOptionSelections(definition, selections, buffer); !applied)
        return Refused("--config", "the chip has no option words (" + applied.error().message + ")");
    return workbench.TakeOptionBytes(buffer);
}

Status ApplyOsTest(image::Workbench& workbench, std::string_view text) {
    workbench.BuildHeader();
    std::vector<uint8_t> buffer = workbench.OptionByteBuffer();
    auto opened = image::DecodePinTest(buffer);
    if (!opened) return Refused("--os-test", opened.error().message);
    image::PinTestState state = *opened;
    image::LayOutPinTest(state);

    if (text == kOff) {
        image::SetPinTestEnabled(state, false);
        image::LayOutPinTest(state);
    } else {
        const std::size_t colon = text.find(':');
        const auto pinCount = FindPinCount(text.substr(0, colon));
        if (!pinCount)
            return Refused("--os-test", "\"" + std::string(text.substr(0, colon)) +
                                            "\" is no pin count; the choices are: off, " + PinCountNames());
        if (!state.enabled) {
            image::SetPinTestEnabled(state, true);
            image::LayOutPinTest(state);
        }
        image::ChoosePinCount(state, *pinCount);
        image::LayOutPinTest(state);
        if (colon != std::string_view::npos) {
            auto pins = ParsePins(text.substr(colon + 1));
            if (!pins) return Refused("--os-test", pins.error().message);
            if (Status ticked = image::TickExactlyPins(state, *pins); !ticked)
                return Refused("--os-test", ticked.error().message);
        }
    }
    if (Status composed = image::ComposePinTest(state, buffer); !composed)
        return Refused("--os-test", composed.error().message);
    return workbench.TakeOptionBytes(buffer);
}

}  // namespace

void AddDialogSettingOptions(CLI::App& command, DialogSettings& settings) {
    command
        .add_option("--config", settings.config,
                    "配置字: set ITEM to VALUE as the configuration-word dialog shows them (repeatable; "
                    "NAME#K names the K-th item of a shared name; see `tovrin-cli options`)")
        ->allow_extra_args(false)
        ->group("Settings");
    command
        .add_option("--os-test", settings.osTest,
                    "OS 设置: off, or PINCOUNT[:PIN,...] with PINCOUNT one of " + PinCountNames() +
                        "; without pins, those the pin count selects")
        ->group("Settings");
}

Status ApplyDialogSettings(image::Workbench& workbench, const DialogSettings& settings) {
    if (!settings.config.empty())
        if (Status status = ApplyConfig(workbench, settings.config); !status) return status;
    if (!settings.osTest.empty()) return ApplyOsTest(workbench, settings.osTest);
    return Status::Ok();
}

}  // namespace tovrin::cli
