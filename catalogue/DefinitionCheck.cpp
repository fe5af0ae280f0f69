#include "catalogue/DefinitionCheck.h"

#include <algorithm>
#include <map>

#include "catalogue/ChipDefinitionReader.h"
#include "catalogue/DefinitionKeyText.h"
#include "catalogue/OptionRows.h"

namespace tovrin::catalogue {

namespace {

constexpr int kOptionByteBits = 8;
constexpr int kComposedBits = 16;

std::string Numbered(std::string_view prefix, std::size_t n, std::string_view suffix = {}) {
    return std::string(prefix) + std::to_string(n) + std::string(suffix);
}

// "A," has only the part "A", as ChooseVariant reads it.
bool HasSecondVariant(std::string_view text) {
    const std::size_t comma = text.find(',');
    return comma != std::string_view::npos && comma + 1 < text.size();
}

// A value as atoi reads it has at least one digit after blanks and a sign.
bool IsDecimalNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

struct AcceptedWord {
    std::size_t declared = 0;
    uint16_t position = 0;
    uint8_t itemCount = 0;
};

class Checker {
public:
    Checker(const profile::Profile& keys, std::string_view chipName) : keys_(keys), chipName_(chipName) {}

    std::vector<DefinitionFinding> Run() {
        CheckChipName();
        CheckImageSize();
        const std::vector<AcceptedWord> words = CheckWordPositions();
        CheckItems(words);
        return std::move(findings_);
    }

private:
    void Add(FindingSeverity severity, std::string section, std::string key, std::string message) {
        findings_.push_back({severity, std::move(section), std::move(key), std::move(message)});
    }
    void Warn(std::string section, std::string key, std::string message) {
        Add(FindingSeverity::Warning, std::move(section), std::move(key), std::move(message));
    }
    void Fail(std::string section, std::string key, std::string message) {
        Add(FindingSeverity::Error, std::move(section), std::move(key), std::move(message));
    }

    void CheckChipName() {
        if (chipName_.size() > kMaxChipNameLength)
            Fail("", "",
                 "the chip name \"" + std::string(chipName_) + "\" is longer than " +
                     std::to_string(kMaxChipNameLength) + " bytes; the loader skips the file");
    }

    void CheckImageSize() {
        const uint64_t size = keys_.GetInteger("ROM", "Size", 0);
        const uint64_t imageBytes = 2 * size + kImageHeaderByteCount;
        if (imageBytes > kMaxImageByteCount)
            Fail("ROM", "Size",
                 "asks for an image of " + std::to_string(imageBytes) + " bytes, beyond the bound of " +
                     std::to_string(kMaxImageByteCount) + "; the loader skips the file");
    }

    std::vector<AcceptedWord> CheckWordPositions() {
        const auto declared = static_cast<uint16_t>(keys_.GetInteger("Option", "OptWords", 0));
        const auto start = static_cast<uint16_t>(keys_.GetInteger("Option", "OptStart", 0));
        std::vector<AcceptedWord> words;
        std::map<uint16_t, std::size_t> taken;
        for (std::size_t d = 0; d < declared; ++d) {
            const std::string key = Numbered("OptAddr", d);
            const auto position = static_cast<uint16_t>(keys_.GetInteger("Option", key, 0) - start);
            if (position >= kOptionWordPositions) {
                Warn("Option", key,
                     "position " + std::to_string(position) + " (OptAddr - OptStart) is not below " +
                         std::to_string(kOptionWordPositions) + "; the word and its items are dropped");
                continue;
            }
            if (auto earlier = taken.find(position); earlier != taken.end())
                Warn("Option", key,
                     "shares position " + std::to_string(position) + " with OptAddr" +
                         std::to_string(earlier->second) + "; its initial value overwrites the earlier one");
            else
                taken.emplace(position, d);
            if (position != words.size())
                Warn("Option", key,
                     "word " + std::to_string(words.size()) + " in order sits at position " +
                         std::to_string(position) +
                         "; the configuration dialog reads and writes it as header byte " +
                         std::to_string(kOptionBlockOffset + words.size()) + ", the loader puts it at " +
                         std::to_string(kOptionBlockOffset + position));
            words.push_back(
                {d, position, static_cast<uint8_t>(keys_.GetInteger("Option", Numbered("OptItems", d), 0))});
        }
        return words;
    }

    void CheckItems(const std::vector<AcceptedWord>& words) {
        std::size_t displayable = 0, items = 0;
        for (std::size_t w = 0; w < words.size(); ++w) {
            for (std::size_t i = 0; i < words[w].itemCount; ++i) {
                if (++items > kMaxOptionItemsPerDefinition) {
                    Fail("Option", Numbered("OptItems", words[w].declared),
                         "more than " + std::to_string(kMaxOptionItemsPerDefinition) +
                             " option items; the loader skips the file");
                    return;
                }
                const OptionItemKind kind = CheckItem(words, w, i);
                if (kind == OptionItemKind::Select && ++displayable == option_dialog::kClassicRowLimit + 1)
                    Warn("Option", Numbered("OptItems", words[w].declared),
                         "more than " + std::to_string(option_dialog::kClassicRowLimit) +
                             " displayable items; beyond what the classic configuration dialog could show");
            }
        }
    }

    OptionItemKind CheckItem(const std::vector<AcceptedWord>& words, std::size_t w, std::size_t i) {
        const std::string section = Numbered("Option", words[w].declared, Numbered("_Item", i));
        OptionItem item;
        item.itemType = static_cast<uint8_t>(keys_.GetInteger(section, "ItemType", 0));
        const std::string nameText = keys_.GetString(section, "Name");
        item.name = std::string(ChooseVariant(nameText, item.itemType));
        const OptionItemKind kind = item.Kind();
        if (item.itemType != 0 && !HasSecondVariant(nameText) && !nameText.empty())
            Warn(section, "Name",
                 "ItemType asks for the second variant, which is missing; the first is shown");
        if (item.name.empty()) Warn(section, "Name", "the item has no name; its row has an empty label");
        if (kind == OptionItemKind::Select && DisplayColumns(item.name) > option_dialog::kVisibleNameColumns)
            Warn(section, "Name", TooLong("the name"));

        item.bitStart = static_cast<uint8_t>(keys_.GetInteger(section, "BitStart", 0));
        item.bitEnd = static_cast<uint8_t>(keys_.GetInteger(section, "BitEnd", 0));
        CheckBits(section, item, kind);
        if (kind == OptionItemKind::Reverse) CheckReverse(section, words, w);

        const std::string countText = keys_.GetString(section, "ItemCount");
        if (item.itemType != 0 && !HasSecondVariant(countText) && !countText.empty())
            Warn(section, "ItemCount",
                 "ItemType asks for the second variant, which is missing; the first is used");
        const int32_t values = profile::ParseDecimalInteger(ChooseVariant(countText, item.itemType));
        if (values <= 0 && kind == OptionItemKind::Fixed)
            Warn(section, "ItemCount", "a Fixed item without values; its field is written as 0");
        if (values <= 0 && kind == OptionItemKind::Select)
            Warn(section, "ItemCount", "an item without values; its list is empty and its field stays 0");
        if (values > kMaxValuesPerItem)
            Warn(section, "ItemCount",
                 "values beyond the first " + std::to_string(kMaxValuesPerItem) + " are not read");
        const int32_t read = std::min(values, kMaxValuesPerItem);
        for (int32_t v = 0; v < read; ++v) CheckValue(section, static_cast<std::size_t>(v), item, kind);
        return kind;
    }

    void CheckBits(const std::string& section, const OptionItem& item, OptionItemKind kind) {
        if (kind == OptionItemKind::Reverse) {
            if (item.bitStart >= kComposedBits)
                Fail(section, "BitStart",
                     "bit " + std::to_string(item.bitStart) +
                         " is beyond the 16-bit word; the item sets nothing");
            else if (item.bitStart >= kOptionByteBits)
                Warn(section, "BitStart",
                     "bit " + std::to_string(item.bitStart) + " is above 7; it is lost from the option byte");
            return;
        }
        if (item.bitStart > item.bitEnd) {
            Fail(section, "BitStart",
                 "BitStart " + std::to_string(item.bitStart) + " is above BitEnd " +
                     std::to_string(item.bitEnd) + "; the field covers no bit");
            return;
        }
        if (item.bitStart >= kComposedBits)
            Fail(section, "BitStart", "the field starts beyond bit 15; it places nothing");
        else if (item.bitEnd >= kComposedBits)
            Warn(section, "BitEnd", "bits 16 and up of the field place nothing");
        if (item.bitStart < kComposedBits && item.bitEnd >= kOptionByteBits)
            Warn(section, "BitEnd",
                 "bits above 7 are lost: the configuration dialog keeps each option word as one byte");
    }

    void CheckReverse(const std::string& section, const std::vector<AcceptedWord>& words, std::size_t w) {
        const auto revAddr = static_cast<uint8_t>(keys_.GetInteger(section, "RevAddr", 0));
        const auto revBit = static_cast<uint8_t>(keys_.GetInteger(section, "RevBit", 0));
        const uint16_t firstOffset = static_cast<uint16_t>(kOptionBlockOffset + words.front().position);
        const auto j = static_cast<uint16_t>(revAddr - firstOffset);
        if (j >= words.size()) {
            Fail(section, "RevAddr",
                 "refers to word place " + std::to_string(revAddr) + ", outside the words " +
                     std::to_string(firstOffset) + " to " + std::to_string(firstOffset + words.size() - 1) +
                     "; the item is ignored");
            return;
        }
        if (j > w)
            Warn(section, "RevAddr",
                 "refers to a later word, which still reads 0 when this one is composed; the bit is always "
                 "set");
        if (revBit >= kComposedBits)
            Warn(section, "RevBit",
                 "bit " + std::to_string(revBit) + " is beyond the 16-bit word and reads 0");
    }

    void CheckValue(const std::string& section, std::size_t v, const OptionItem& item, OptionItemKind kind) {
        const std::string nameKey = Numbered("Item", v, "_Name");
        const std::string valueKey = Numbered("Item", v, "_Val");
        const std::string nameText = keys_.GetString(section, nameKey);
        const std::string_view name = ChooseVariant(nameText, item.itemType);
        if (kind != OptionItemKind::Reverse && name.empty())
            Warn(section, nameKey, "a value without a name; its list entry is empty");
        if (kind == OptionItemKind::Select && DisplayColumns(name) > option_dialog::kVisibleNameColumns)
            Warn(section, nameKey, TooLong("the value name"));
        if (kind != OptionItemKind::Reverse &&
            !IsDecimalNumber(ChooseVariant(keys_.GetString(section, valueKey), item.itemType)))
            Warn(section, valueKey, "a value without a decimal number; it reads as 0");
    }

    static std::string TooLong(const std::string& what) {
        return what + " is wider than the " + std::to_string(option_dialog::kVisibleNameColumns) +
               " half-width columns the configuration dialog shows; it is cut";
    }

    const profile::Profile& keys_;
    std::string_view chipName_;
    std::vector<DefinitionFinding> findings_;
};

}  // namespace

std::size_t DisplayColumns(std::string_view gbk) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < gbk.size();) {
        const auto lead = static_cast<uint8_t>(gbk[i]);
        if (lead < 0x81 || lead == 0xFF || i + 1 >= gbk.size()) {
            columns += 1;
            i += 1;
            continue;
        }
        const auto trail = static_cast<uint8_t>(gbk[i + 1]);
        // GB18030's four-byte forms have a digit as their second byte.
        i += (trail >= '0' && trail <= '9' && i + 3 < gbk.size()) ? 4 : 2;
        columns += 2;
    }
    return columns;
}

std::vector<DefinitionFinding> CheckDefinition(const profile::Profile& keys, std::string_view chipName) {
    return Checker(keys, chipName).Run();
}

bool HasErrors(const std::vector<DefinitionFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const DefinitionFinding& f) { return f.severity == FindingSeverity::Error; });
}

}  // namespace tovrin::catalogue
