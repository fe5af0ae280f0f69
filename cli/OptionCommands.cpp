#include "cli/OptionCommands.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/DefinitionCheck.h"
#include "catalogue/EncipheredText.h"
#include "catalogue/OptionRows.h"
#include "cli/TextFormat.h"
#include "cli/WorkbenchSession.h"
#include "platform/system/FileIo.h"
#include "platform/text/GbkText.h"

namespace tovrin::cli {
namespace {

using catalogue::DefinitionFinding;
using catalogue::FindingSeverity;
using nlohmann::ordered_json;

// Definition files are small; anything larger is no definition.
constexpr std::size_t kMaxDefinitionFileBytes = 16u * 1024 * 1024;

struct OptionsOptions {
    std::string chip;
    std::string source;
    bool json = false;
};

void ShowOptions(CliContext& context, const OptionsOptions& options) {
    WorkbenchSession session(context);
    if (!options.chip.empty() && !session.ChangeChip(options.chip)) return;
    if (!options.source.empty() && !session.SelectSource(options.source)) return;
    image::Workbench& workbench = session.workbench();
    // The dialog opens on a freshly built header.
    workbench.BuildHeader();
    const catalogue::ChipDefinition definition =
        workbench.Catalogue().DefinitionOrEmpty(workbench.SelectedChipName());
    const catalogue::OptionDialogLayout layout =
        catalogue::BuildOptionDialog(definition, workbench.SelectedChipName(), workbench.OptionByteBuffer());
    const std::vector<std::string> names = catalogue::QualifiedRowNames(layout);
    const std::size_t words = catalogue::ComposedWordCount(definition);
    const std::vector<uint8_t>& buffer = workbench.OptionByteBuffer();
    const std::vector<uint8_t> current(
        buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(words, buffer.size())));

    if (options.json) {
        ordered_json rows = ordered_json::array();
        for (std::size_t r = 0; r < layout.rows.size(); ++r) {
            const catalogue::OptionRow& row = layout.rows[r];
            const catalogue::OptionItem& item = definition.optionWords[row.wordIndex].items[row.itemIndex];
            ordered_json choices = ordered_json::array();
            for (std::size_t v = 0; v < row.choices.size(); ++v)
                choices.push_back({{"name", row.choices[v]}, {"value", row.choiceValues[v]}});
            rows.push_back(
                {{"item", names[r]},
                 {"label", row.label},
                 {"word", row.wordIndex},
                 {"bitStart", item.bitStart},
                 {"bitEnd", item.bitEnd},
                 {"value", row.selection < 0
                               ? ordered_json()
                               : ordered_json(row.choices[static_cast<std::size_t>(row.selection)])},
                 {"selection", row.selection},
                 {"choices", choices}});
        }
        context.out << ordered_json{{"chip", layout.caption},
                                    {"optionWordCount", words},
                                    {"optionBytes", HexDigits(current)},
                                    {"rows", rows}}
                           .dump(2)
                    << "\n";
        return;
    }
    context.out << layout.caption << ": " << words << " option word(s), current bytes "
                << (current.empty() ? "(none)" : HexBytesSpaced(current)) << "\n";
    if (layout.rows.empty()) context.out << "no configuration items to set\n";
    for (std::size_t r = 0; r < layout.rows.size(); ++r) {
        const catalogue::OptionRow& row = layout.rows[r];
        context.out << names[r] << " = "
                    << (row.selection < 0 ? "(no values)"
                                          : row.choices[static_cast<std::size_t>(row.selection)])
                    << "\n";
        std::string choices;
        for (const std::string& choice : row.choices) choices += (choices.empty() ? "" : " | ") + choice;
        if (!choices.empty()) context.out << "    choices: " << choices << "\n";
    }
}

const char* SeverityName(FindingSeverity severity) {
    return severity == FindingSeverity::Error ? "error" : "warning";
}

std::string ChipNameOf(const std::string& path) {
    std::string name = std::filesystem::path(path).filename().string();
    constexpr std::string_view kExtension = ".dev";
    if (name.size() > kExtension.size()) {
        std::string extension = name.substr(name.size() - kExtension.size());
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (extension == kExtension) name.resize(name.size() - kExtension.size());
    }
    return name;
}

std::vector<DefinitionFinding> CheckFile(const std::string& path) {
    auto bytes = ReadFileBytes(path, kMaxDefinitionFileBytes);
    if (!bytes)
        return {{FindingSeverity::Error, "", "",
                 "cannot be read (missing, not a regular file, or larger than " +
                     std::to_string(kMaxDefinitionFileBytes) + " bytes)"}};
    const std::string plaintext = catalogue::DefinitionPlaintext(*bytes);
    return catalogue::CheckDefinition(profile::Profile::FromText(plaintext), ChipNameOf(path));
}

void CheckFiles(CliContext& context, const std::vector<std::string>& paths, bool json) {
    bool failed = false;
    ordered_json files = ordered_json::array();
    for (const std::string& path : paths) {
        const std::vector<DefinitionFinding> findings = CheckFile(path);
        failed = failed || catalogue::HasErrors(findings);
        if (json) {
            ordered_json list = ordered_json::array();
            for (const DefinitionFinding& f : findings)
                list.push_back({{"severity", SeverityName(f.severity)},
                                {"section", text::GbkToUtf8(f.section)},
                                {"key", text::GbkToUtf8(f.key)},
                                {"message", f.message}});
            files.push_back({{"file", path}, {"findings", list}});
            continue;
        }
        if (findings.empty()) context.out << path << ": no findings\n";
        for (const DefinitionFinding& f : findings) {
            context.out << path << ": " << SeverityName(f.severity);
            if (!f.section.empty()) context.out << ": [" << text::GbkToUtf8(f.section) << "] " << f.key;
            context.out << ": " << f.message << "\n";
        }
    }
    if (json) context.out << ordered_json{{"files", files}}.dump(2) << "\n";
    if (failed) context.exitCode = kExitFailed;
}

}  // namespace

void AddOptionCommands(CLI::App& app, CliContext& context) {
    auto options = std::make_shared<OptionsOptions>();
    CLI::App* command = app.add_subcommand(
        "options",
        "Show the configuration-word rows as the 配置字 dialog would: item, current value, choices");
    command->add_option("--chip", options->chip, "Change to this chip first, as the chip list would");
    command->add_option("--source", options->source, "Load this Intel HEX or QVB project file first");
    command->add_flag("--json", options->json, "Print JSON");
    context.OnCommand(command, [&context, options] { ShowOptions(context, *options); });

    struct CheckOptions {
        std::vector<std::string> files;
        bool json = false;
    };
    auto check = std::make_shared<CheckOptions>();
    CLI::App* device = app.get_subcommand("device");
    CLI::App* checkCommand = device->add_subcommand(
        "check", "Report what the loader takes silently or refuses in definition files, by section and key");
    checkCommand->add_option("FILE", check->files, "Definition files, plain or enciphered")->required();
    checkCommand->add_flag("--json", check->json, "Print JSON");
    context.OnCommand(checkCommand, [&context, check] { CheckFiles(context, check->files, check->json); });
}

}  // namespace tovrin::cli
