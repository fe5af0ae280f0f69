// Arbitrary definition-file bytes through the whole reading path; the
// built definition must keep the shape the image code relies on.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "catalogue/ChipDefinitionReader.h"
#include "catalogue/EncipheredText.h"
#include "platform/profile/Profile.h"

namespace {

using namespace tovrin::catalogue;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckShape(const BuiltDefinition& built) {
    const ChipDefinition& d = built.definition;
    Require(built.entry.imageByteCount <= kMaxImageByteCount);
    Require(built.entry.imageByteCount >= kImageHeaderByteCount && built.entry.imageByteCount % 2 == 0);

    const uint16_t offsets[] = {0, 16, 32, 48, 64};
    Require(d.headerSections.size() == kHeaderSectionCount);
    for (std::size_t i = 0; i < kHeaderSectionCount; ++i) {
        Require(d.headerSections[i].offset == offsets[i]);
        Require(d.headerSections[i].offset + d.headerSections[i].bytes.size() <= kImageHeaderByteCount);
        if (i < 4) Require(d.headerSections[i].bytes.size() == kHeaderSectionLength);
    }

    Require(d.optionWordCount == d.optionWords.size());
    std::size_t visible = 0;
    for (const OptionWord& word : d.optionWords) {
        Require(word.headerOffset >= kOptionBlockOffset &&
                word.headerOffset < kOptionBlockOffset + kOptionWordPositions);
        Require(word.declaredItemCount == word.items.size());
        for (const OptionItem& item : word.items) {
            Require(item.values.size() <= static_cast<std::size_t>(kMaxValuesPerItem));
            if (item.Kind() == OptionItemKind::Select) ++visible;
        }
    }
    Require(d.visibleItemCount == visible);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const std::string plaintext = DefinitionPlaintext(bytes);

    // What the encipher command writes must read back as the same text.
    if (const auto enciphered = EncipherDefinitionText(plaintext); enciphered.ok()) {
        const std::string again = DecipherDefinitionText(
            std::span(reinterpret_cast<const uint8_t*>(enciphered->data()), enciphered->size()));
        Require(again == plaintext);
    }

    const auto built = BuildChipDefinition(tovrin::profile::Profile::FromText(plaintext), "FUZZ");
    if (built.ok()) CheckShape(*built);
    return 0;
}
