// The option dialogs' rules over arbitrary definitions and option bytes:
// rows, decoding and composition of the configuration words and of the pin
// test must stay inside their buffers and keep their shape. A first byte
// that is odd reads the rest as definition text through the loader and the
// definition checker instead.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "catalogue/ChipDefinitionReader.h"
#include "catalogue/DefinitionCheck.h"
#include "catalogue/OptionRows.h"
#include "image/PinTest.h"
#include "platform/profile/Profile.h"

namespace {

using namespace tovrin::catalogue;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

class Bytes {
public:
    explicit Bytes(std::span<const uint8_t> data) : data_(data) {}
    uint8_t Next() { return at_ < data_.size() ? data_[at_++] : 0; }
    uint16_t Next16() { return static_cast<uint16_t>(Next() | Next() << 8); }
    std::span<const uint8_t> Rest() const { return data_.subspan(std::min(at_, data_.size())); }

private:
    std::span<const uint8_t> data_;
    std::size_t at_ = 0;
};

std::string ItemName(uint8_t choice) {
    switch (choice % 6) {
        case 0:
            return "Fixed";
        case 1:
            return "REVERSE";
        case 2:
            return "fixed";
        case 3:
            return "";
        case 4:
            return "\xBF\xB4\xC3\xC5\xB9\xB7";  // GBK text
        default:
            return "Item";
    }
}

ChipDefinition ArbitraryDefinition(Bytes& in) {
    ChipDefinition definition;
    const uint8_t words = in.Next() % 18;
    for (uint8_t w = 0; w < words; ++w) {
        OptionWord word;
        word.headerOffset = in.Next();
        const uint8_t header = in.Next();
        // Now and then a word with many items, to pass the classic row limit.
        const std::size_t items = header >= 0xF0 ? 120 + (header & 0x0F) : header % 8;
        for (std::size_t i = 0; i < items; ++i) {
            OptionItem item;
            item.name = ItemName(in.Next());
            item.bitStart = in.Next();
            item.bitEnd = in.Next();
            item.revAddr = in.Next();
            item.revBit = in.Next();
            const uint8_t values = in.Next() % 6;
            for (uint8_t v = 0; v < values; ++v) item.values.push_back({ItemName(in.Next()), in.Next16()});
            word.items.push_back(std::move(item));
        }
        word.declaredItemCount = static_cast<uint8_t>(word.items.size());
        definition.optionWords.push_back(std::move(word));
    }
    // The count may disagree with the words held.
    definition.optionWordCount =
        in.Next() < 0x20 ? in.Next() : static_cast<uint16_t>(definition.optionWords.size());
    for (const OptionWord& word : definition.optionWords)
        for (const OptionItem& item : word.items)
            if (item.Kind() == OptionItemKind::Select) ++definition.visibleItemCount;
    return definition;
}

void ExercisePinTest(std::vector<uint8_t> buffer, std::span<const uint8_t> clicks) {
    namespace image = tovrin::image;
    auto opened = image::DecodePinTest(buffer);
    Require(opened.ok() == (buffer.size() >= image::pin_test::kBufferBytesNeeded));
    if (!opened) return;
    image::PinTestState state = *opened;
    for (std::size_t i = 0; i < clicks.size() && i < 8; ++i) {
        if (clicks[i] < 0x20)
            image::SetPinTestEnabled(state, (clicks[i] & 1) != 0);
        else
            image::ChoosePinCount(state, clicks[i] % 16);
        image::LayOutPinTest(state);
    }
    const std::vector<uint8_t> before = buffer;
    Require(image::ComposePinTest(state, buffer).ok());
    Require(buffer.size() == before.size());
    for (std::size_t i = 0; i < buffer.size(); ++i)
        if (i < image::pin_test::kFirstByte || i > image::pin_test::kSettingsByte)
            Require(buffer[i] == before[i]);
    Require((buffer[21] & 0xC0) == (before[21] & 0xC0));
    auto reopened = image::DecodePinTest(buffer);
    Require(reopened && reopened->enabled == state.enabled);
}

void ExerciseRules(const ChipDefinition& definition, std::span<const uint8_t> rest) {
    const std::size_t optionByteCount = rest.empty() ? 0 : rest[0] % 40;
    rest = rest.subspan(rest.empty() ? 0 : 1);
    const std::vector<uint8_t> optionBytes(rest.begin(),
                                           rest.begin() + std::min(optionByteCount, rest.size()));
    rest = rest.subspan(optionBytes.size());

    const OptionDialogLayout layout = BuildOptionDialog(definition, "FUZZ", optionBytes);
    const std::size_t words = ComposedWordCount(definition);
    std::size_t selectable = 0;
    for (std::size_t w = 0; w < words; ++w)
        for (const OptionItem& item : definition.optionWords[w].items)
            if (item.Kind() == OptionItemKind::Select) ++selectable;
    Require(layout.rows.size() == selectable);
    for (const OptionRow& row : layout.rows) {
        Require(row.choices.size() == row.choiceValues.size());
        Require(row.selection >= -1 && row.selection < static_cast<int>(row.choices.size()));
        Require(row.choices.empty() == (row.selection == -1));
    }

    std::vector<int> selections = Selections(layout);
    for (std::size_t r = 0; r < selections.size() && r < rest.size(); ++r)
        if (rest[r] & 0x80) selections[r] = static_cast<int8_t>(rest[r]);
    Require(ComposeOptionWords(definition, selections).size() == words);

    std::vector<uint8_t> buffer = optionBytes;
    const bool applied = ApplyOptionSelections(definition, selections, buffer).ok();
    Require(applied == (words > 0));
    Require(buffer.size() == std::max(optionBytes.size(), applied ? words : 0));
    for (std::size_t i = words; i < optionBytes.size(); ++i) Require(buffer[i] == optionBytes[i]);

    ExercisePinTest(buffer, rest);

    const std::vector<std::string> names = QualifiedRowNames(layout);
    Require(names.size() == layout.rows.size());
    if (!layout.rows.empty() && !rest.empty()) {
        const OptionRow& row = layout.rows[rest[0] % layout.rows.size()];
        const std::string value = row.choices.empty() ? "x" : row.choices.front();
        auto choice = FindOptionAssignment(layout, names[rest[0] % layout.rows.size()] + "=" + value);
        if (choice) Require(choice->row < layout.rows.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (size > 0 && (data[0] & 1) != 0) {
        const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
        const auto keys = tovrin::profile::Profile::FromText(text);
        for (const DefinitionFinding& finding : CheckDefinition(keys, "FUZZ"))
            Require(!finding.message.empty());
        const auto built = BuildChipDefinition(keys, "FUZZ");
        if (built) ExerciseRules(built->definition, bytes.subspan(std::min<std::size_t>(size, 1)));
        return 0;
    }
    Bytes in(bytes.subspan(std::min<std::size_t>(size, 1)));
    const ChipDefinition definition = ArbitraryDefinition(in);
    ExerciseRules(definition, in.Rest());
    return 0;
}
