#include "catalogue/ChipDefinitionReader.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/AsciiText.h"
#include "catalogue/DefinitionKeyText.h"

namespace tovrin::catalogue {

namespace {

constexpr uint8_t kNamePadding = ' ';
constexpr uint8_t kErasedLowByte = 0xFF;

uint8_t Low8(uint32_t value) {
    return static_cast<uint8_t>(value & 0xFF);
}
uint16_t Low16(uint32_t value) {
    return static_cast<uint16_t>(value & 0xFFFF);
}
uint8_t HighByte(uint16_t value) {
    return static_cast<uint8_t>(value >> 8);
}

std::string Numbered(std::string_view prefix, std::size_t n, std::string_view suffix = {}) {
    std::string key(prefix);
    key += std::to_string(n);
    key += suffix;
    return key;
}

// Reads the keys in the order the files' own reader does, so that a
// definition reads the same whatever reader lies beneath.
class DefinitionBuilder {
public:
    DefinitionBuilder(const profile::Profile& profile, std::string_view chipName)
        : profile_(profile), chipName_(chipName) {}

    Result<BuiltDefinition> Build() {
        const uint32_t size = profile_.GetInteger("ROM", "Size", 0);
        const uint64_t imageByteCount = 2 * uint64_t{size} + kImageHeaderByteCount;
        if (imageByteCount > kMaxImageByteCount)
            return Error{"Size=" + std::to_string(size) + " asks for an image of " +
                         std::to_string(imageByteCount) + " bytes; at most " +
                         std::to_string(kMaxImageByteCount) + " are supported"};
        const auto bitWidth = static_cast<int32_t>(profile_.GetInteger("ROM", "BitWidth", 0));

        BuiltDefinition built;
        built.entry = {std::string(chipName_), static_cast<uint32_t>(imageByteCount), bitWidth};
        ChipDefinition& definition = built.definition;

        definition.headerSections.push_back(IdentitySection());
        for (uint16_t offset : kZeroSectionOffsets)
            definition.headerSections.push_back({offset, std::vector<uint8_t>(kHeaderSectionLength, 0)});

        HeaderSection optionBlock{kOptionBlockOffset, {}};
        for (std::size_t i = 0; i < kHeaderSectionLength; ++i)
            optionBlock.bytes.push_back(i % 2 == 0 ? kErasedLowByte : ErasedHighByte(bitWidth));
        if (Status words = ReadOptionWords(definition, optionBlock); !words) return words.error();
        definition.headerSections.push_back(std::move(optionBlock));

        // Bytes past the header's end would land in the code area, or past an
        // image of header size.
        std::vector<uint8_t> initialBytes = SectionValBytes(profile_.GetString("InitValue", "Section_Val"));
        const std::size_t room = kImageHeaderByteCount - kInitialBytesSectionOffset;
        if (initialBytes.size() > room) initialBytes.resize(room);
        definition.headerSections.push_back({kInitialBytesSectionOffset, std::move(initialBytes)});
        return built;
    }

private:
    HeaderSection IdentitySection() const {
        std::vector<uint8_t> bytes(kHeaderSectionLength, 0);
        std::fill_n(bytes.begin(), kMaxChipNameLength, kNamePadding);
        const std::string upper = UpperCaseChipName(chipName_);
        std::copy_n(upper.begin(), std::min(upper.size(), kMaxChipNameLength), bytes.begin());

        const uint8_t programSet = Low8(profile_.GetInteger("General", "Program_set", 0));
        const uint16_t chipId = Low16(profile_.GetInteger("General", "ChipID", 0));
        const uint16_t memId = Low16(profile_.GetInteger("General", "MemID", 0));
        bytes[7] = programSet;
        bytes[8] = Low8(chipId);
        bytes[9] = HighByte(chipId);
        bytes[10] = Low8(memId);
        bytes[11] = HighByte(memId);
        return {kIdentitySectionOffset, std::move(bytes)};
    }

    Status ReadOptionWords(ChipDefinition& definition, HeaderSection& optionBlock) {
        const uint16_t declaredWords = Low16(profile_.GetInteger("Option", "OptWords", 0));
        const uint16_t start = Low16(profile_.GetInteger("Option", "OptStart", 0));
        definition.optionWordCount = declaredWords;

        for (std::size_t d = 0; d < declaredWords; ++d) {
            const uint16_t address = Low16(profile_.GetInteger("Option", Numbered("OptAddr", d), 0));
            const auto position = static_cast<uint16_t>(address - start);
            if (position >= kOptionWordPositions) {
                --definition.optionWordCount;
                continue;
            }
            OptionWord word;
            word.headerOffset = static_cast<uint16_t>(kOptionBlockOffset + position);
            word.initialValue = Low16(profile_.GetInteger("Option", Numbered("OptInitVal", d), 0));
            word.declaredItemCount = Low8(profile_.GetInteger("Option", Numbered("OptItems", d), 0));
            optionBlock.bytes[position] = Low8(word.initialValue);

            for (std::size_t i = 0; i < word.declaredItemCount; ++i) {
                if (++itemCount_ > kMaxOptionItemsPerDefinition)
                    return Error{"more than " + std::to_string(kMaxOptionItemsPerDefinition) +
                                 " option items"};
                OptionItem item;
                if (Status read = ReadItem(Numbered("Option", d, Numbered("_Item", i)), item); !read)
                    return read;
                if (item.Kind() == OptionItemKind::Select) ++definition.visibleItemCount;
                word.items.push_back(std::move(item));
            }
            definition.optionWords.push_back(std::move(word));
        }
        return Status::Ok();
    }

    Status ReadItem(const std::string& section, OptionItem& item) {
        item.itemType = Low8(profile_.GetInteger(section, "ItemType", 0));
        item.name = std::string(ChooseVariant(profile_.GetString(section, "Name"), item.itemType));
        if (item.Kind() == OptionItemKind::Reverse) {
            item.revAddr = Low8(profile_.GetInteger(section, "RevAddr", 0));
            item.revBit = Low8(profile_.GetInteger(section, "RevBit", 0));
        }
        item.bitStart = Low8(profile_.GetInteger(section, "BitStart", 0));
        item.bitEnd = Low8(profile_.GetInteger(section, "BitEnd", 0));

        const int32_t declaredValues = profile::ParseDecimalInteger(
            ChooseVariant(profile_.GetString(section, "ItemCount"), item.itemType));
        const int32_t valueCount = std::min(declaredValues, kMaxValuesPerItem);
        for (int32_t v = 0; v < valueCount; ++v) {
            if (++valueTotal_ > kMaxOptionValuesPerDefinition)
                return Error{"more than " + std::to_string(kMaxOptionValuesPerDefinition) + " option values"};
            const auto n = static_cast<std::size_t>(v);
            OptionValue value;
            value.name = std::string(
                ChooseVariant(profile_.GetString(section, Numbered("Item", n, "_Name")), item.itemType));
            value.value = Low16(static_cast<uint32_t>(profile::ParseDecimalInteger(
                ChooseVariant(profile_.GetString(section, Numbered("Item", n, "_Val")), item.itemType))));
            item.values.push_back(std::move(value));
        }
        return Status::Ok();
    }

    const profile::Profile& profile_;
    std::string_view chipName_;
    std::size_t itemCount_ = 0;
    std::size_t valueTotal_ = 0;
};

}  // namespace

Result<BuiltDefinition> BuildChipDefinition(const profile::Profile& profile, std::string_view chipName) {
    return DefinitionBuilder(profile, chipName).Build();
}

}  // namespace tovrin::catalogue
