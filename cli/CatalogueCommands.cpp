#include "cli/CatalogueCommands.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iomanip>
#include <memory>
#include <ostream>
#include <string>

#include "catalogue/CatalogueLoader.h"
#include "cli/TextFormat.h"
#include "cli/WorkbenchSession.h"
#include "platform/text/GbkText.h"

namespace tovrin::cli {
namespace {

using catalogue::CatalogueLoad;
using catalogue::ChipDefinition;
using catalogue::ChipListEntry;
using catalogue::OptionItemKind;
using nlohmann::ordered_json;

// The loader lists what it skipped; users of the list must learn why a file is missing.
CatalogueLoad LoadAndReport(CliContext& context) {
    CatalogueLoad load = catalogue::LoadCatalogue(context.programDirectory);
    ReportSkippedDefinitions(context, load);
    return load;
}

const char* KindName(OptionItemKind kind) {
    switch (kind) {
        case OptionItemKind::Fixed:
            return "fixed";
        case OptionItemKind::Reverse:
            return "reverse";
        case OptionItemKind::Select:
            break;
    }
    return "select";
}

void ListChips(CliContext& context, bool json) {
    CatalogueLoad load = LoadAndReport(context);
    const auto& entries = load.catalogue.Entries();
    if (json) {
        ordered_json chips = ordered_json::array();
        for (const ChipListEntry& entry : entries) {
            ChipDefinition definition = load.catalogue.DefinitionOrEmpty(entry.name);
            chips.push_back({{"name", text::GbkToUtf8(entry.name)},
                             {"imageByteCount", entry.imageByteCount},
                             {"bitWidth", entry.bitWidth},
                             {"optionWordCount", definition.optionWordCount},
                             {"visibleItemCount", definition.visibleItemCount}});
        }
        ordered_json result = {{"chips", chips}, {"selected", nullptr}};
        if (load.initialSelection) result["selected"] = *load.initialSelection;
        context.out << result.dump(2) << "\n";
        return;
    }
    if (entries.empty()) {
        context.out << "No chip definitions in " << (context.programDirectory / "Device").string() << "\n";
        return;
    }
    context.out << "  #  name     imageByteCount  bitWidth  optionWordCount  visibleItemCount\n";
    for (std::size_t position = 0; position < entries.size(); ++position) {
        const ChipListEntry& entry = entries[position];
        ChipDefinition definition = load.catalogue.DefinitionOrEmpty(entry.name);
        char line[160];
        std::snprintf(line, sizeof line, "%c%2zu  ", load.initialSelection == position ? '*' : ' ', position);
        context.out << line << PadRight(text::GbkToUtf8(entry.name), 7);
        std::snprintf(line, sizeof line, "  %14u  %8d  %15u  %16u\n", entry.imageByteCount, entry.bitWidth,
                      definition.optionWordCount, definition.visibleItemCount);
        context.out << line;
    }
    context.out << "selected: " << *load.initialSelection << " ("
                << text::GbkToUtf8(entries[*load.initialSelection].name) << ")\n";
}

ordered_json DefinitionJson(const ChipListEntry& entry, const ChipDefinition& definition) {
    ordered_json sections = ordered_json::array();
    for (const auto& section : definition.headerSections)
        sections.push_back({{"offset", section.offset}, {"bytes", HexDigits(section.bytes)}});
    ordered_json words = ordered_json::array();
    for (const auto& word : definition.optionWords) {
        ordered_json items = ordered_json::array();
        for (const auto& item : word.items) {
            ordered_json values = ordered_json::array();
            for (const auto& value : item.values)
                values.push_back({{"name", text::GbkToUtf8(value.name)}, {"value", value.value}});
            items.push_back({{"name", text::GbkToUtf8(item.name)},
                             {"itemType", item.itemType},
                             {"kind", KindName(item.Kind())},
                             {"bitStart", item.bitStart},
                             {"bitEnd", item.bitEnd},
                             {"revAddr", item.revAddr},
                             {"revBit", item.revBit},
                             {"values", values}});
        }
        words.push_back({{"headerOffset", word.headerOffset},
                         {"initialValue", word.initialValue},
                         {"declaredItemCount", word.declaredItemCount},
                         {"items", items}});
    }
    return {{"name", text::GbkToUtf8(entry.name)},
            {"imageByteCount", entry.imageByteCount},
            {"bitWidth", entry.bitWidth},
            {"visibleItemCount", definition.visibleItemCount},
            {"optionWordCount", definition.optionWordCount},
            {"sections", sections},
            {"optionWords", words}};
}

void PrintDefinition(std::ostream& out, const ChipListEntry& entry, const ChipDefinition& definition) {
    out << text::GbkToUtf8(entry.name) << "\n"
        << "  imageByteCount " << entry.imageByteCount << ", bitWidth " << entry.bitWidth
        << ", optionWordCount " << definition.optionWordCount << ", visibleItemCount "
        << definition.visibleItemCount << "\n";
    for (const auto& section : definition.headerSections) {
        out << "  header section at " << std::setw(2) << section.offset << ": "
            << (section.bytes.empty() ? "(empty)" : HexBytesSpaced(section.bytes)) << "\n";
    }
    for (std::size_t w = 0; w < definition.optionWords.size(); ++w) {
        const auto& word = definition.optionWords[w];
        out << "  option word " << w << ": header byte " << word.headerOffset << ", initial value 0x"
            << Hex(word.initialValue, 4) << ", " << unsigned{word.declaredItemCount} << " items\n";
        for (std::size_t i = 0; i < word.items.size(); ++i) {
            const auto& item = word.items[i];
            out << "    item " << i << " \"" << text::GbkToUtf8(item.name) << "\" " << KindName(item.Kind())
                << ", bits " << unsigned{item.bitStart} << "-" << unsigned{item.bitEnd} << ", item type "
                << unsigned{item.itemType};
            if (item.Kind() == OptionItemKind::Reverse)
                out << ", mirrors bit " << unsigned{item.revBit} << " of the word at "
                    << unsigned{item.revAddr};
            out << "\n";
            for (const auto& value : item.values)
                out << "      " << value.value << " = " << text::GbkToUtf8(value.name) << "\n";
        }
    }
}

void ShowChip(CliContext& context, const std::string& name, bool json) {
    CatalogueLoad load = LoadAndReport(context);
    const ChipListEntry* found = nullptr;
    for (const auto& entry : load.catalogue.Entries())
        if (entry.name == name) found = &entry;
    if (found == nullptr) {
        context.Fail(kExitUsage, UnknownChipMessage(context, name));
        return;
    }
    ChipDefinition definition = load.catalogue.DefinitionOrEmpty(found->name);
    if (json)
        context.out << DefinitionJson(*found, definition).dump(2) << "\n";
    else
        PrintDefinition(context.out, *found, definition);
}

}  // namespace

void AddCatalogueCommands(CLI::App& app, CliContext& context) {
    auto chipsJson = std::make_shared<bool>(false);
    CLI::App* chips = app.add_subcommand("chips", "List the chip definitions and the initial selection");
    chips->add_flag("--json", *chipsJson, "Print JSON");
    context.OnCommand(chips, [&context, chipsJson] { ListChips(context, *chipsJson); });

    struct ChipOptions {
        std::string name;
        bool json = false;
    };
    auto chipOptions = std::make_shared<ChipOptions>();
    CLI::App* chip = app.add_subcommand("chip", "Show one chip definition whole");
    chip->add_option("NAME", chipOptions->name, "Chip name as listed (case-sensitive)")->required();
    chip->add_flag("--json", chipOptions->json, "Print JSON");
    context.OnCommand(chip,
                      [&context, chipOptions] { ShowChip(context, chipOptions->name, chipOptions->json); });

    AddDeviceFileCommands(app, context);
}

}  // namespace tovrin::cli
