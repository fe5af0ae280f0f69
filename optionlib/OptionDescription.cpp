#include "optionlib/OptionDescription.h"

#include <algorithm>

#include "platform/text/GbkText.h"

namespace tovrin::optionlib {
namespace {

constexpr std::string_view kUndefinedLabel = "未定义";

std::string Numbered(std::string_view prefix, std::size_t n, std::string_view suffix = {}) {
    std::string name(prefix);
    name += std::to_string(n);
    name += suffix;
    return name;
}

int32_t BoundedCount(int32_t count, int32_t limit) {
    return std::clamp(count, 0, limit);
}

}  // namespace

std::string ItemSectionName(Variant variant, std::size_t word, std::size_t item) {
    return Numbered(TraitsOf(variant).itemSectionPrefix, word, "_Item") + std::to_string(item);
}

std::size_t ReadWordCount(const CIniFile& ini, Variant variant) {
    return static_cast<std::size_t>(
        BoundedCount(ini.GetInt(TraitsOf(variant).mainSection, "OptionWords", 0), kMaxOptionWords));
}

std::vector<uint16_t> ReadStartingValues(const CIniFile& ini, Variant variant, std::size_t wordCount) {
    std::vector<uint16_t> values(wordCount);
    for (std::size_t i = 0; i < wordCount; ++i)
        values[i] =
            static_cast<uint16_t>(ini.GetInt(TraitsOf(variant).mainSection, Numbered("OptInitVal", i), 0));
    return values;
}

std::vector<uint16_t> ReadWordAddresses(const CIniFile& ini, Variant variant, std::size_t wordCount) {
    std::vector<uint16_t> addresses(wordCount);
    for (std::size_t i = 0; i < wordCount; ++i)
        addresses[i] =
            static_cast<uint16_t>(ini.GetInt(TraitsOf(variant).mainSection, Numbered("OptAddr", i), 0));
    return addresses;
}

OptionDescription ReadOptionDescription(const CIniFile& ini, Variant variant, std::size_t wordCount) {
    const VariantTraits& traits = TraitsOf(variant);
    OptionDescription description;
    description.complements.resize(wordCount);
    for (std::size_t i = 0; i < wordCount; ++i) {
        const int32_t items =
            BoundedCount(ini.GetInt(traits.mainSection, Numbered("OptItems", i), 0), kMaxItemsPerWord);
        for (std::size_t k = 0; k < static_cast<std::size_t>(items); ++k) {
            const std::string section = ItemSectionName(variant, i, k);
            if (ini.GetInt(section, "ItemType", 0) == kComplementItemType) {
                if (traits.complementItems) {
                    // A later complement item of the same word replaces the earlier one.
                    description.complements[i] =
                        ComplementRecord{true, ini.GetInt(section, "Item0_ReverseBitStart", 0),
                                         ini.GetInt(section, "Item0_ReverseBitEnd", 0),
                                         ini.GetInt(section, Numbered("Item", k, "_Val"), 0)};
                }
                continue;
            }
            // Items beyond the template's rows get neither a row nor a list.
            if (description.rows.size() == kMaxRows) continue;
            FieldRow row;
            row.word = i;
            row.name = ini.GetString(section, "Name", {});
            const int32_t count = BoundedCount(ini.GetInt(section, "ItemCount", 0), kMaxValuesPerItem);
            row.choices.reserve(static_cast<std::size_t>(count));
            for (std::size_t j = 0; j < static_cast<std::size_t>(count); ++j)
                row.choices.push_back({ini.GetString(section, Numbered("Item", j, "_Name"), {}),
                                       ini.GetString(section, Numbered("Item", j, "_Val"), {})});
            row.bitStart = ini.GetInt(section, "BitStart", 0);
            row.bitEnd = ini.GetInt(section, "BitEnd", 0);
            description.rows.push_back(std::move(row));
        }
    }
    return description;
}

std::string DisplayLabel(const FieldRow& row) {
    return row.name.empty() ? std::string(kUndefinedLabel) : text::GbkToUtf8(row.name);
}

std::string DisplayChoice(const OptionChoice& choice) {
    return text::GbkToUtf8(choice.name);
}

}  // namespace tovrin::optionlib
