#include "catalogue/OptionRows.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "platform/text/GbkText.h"

namespace tovrin::catalogue {

namespace {

using namespace option_dialog;

constexpr int kComposedBits = 16;

int RowTop(std::size_t row) {
    return kRowPitch * static_cast<int>(row);
}

bool BitOf(uint16_t word, uint8_t bit) {
    return bit < kComposedBits && ((word >> bit) & 1u) != 0;
}

void SetBit(uint16_t& word, uint8_t bit) {
    if (bit < kComposedBits) word = static_cast<uint16_t>(word | (1u << bit));
}

void PlaceField(uint16_t& word, const OptionItem& item, uint16_t value) {
    if (item.bitStart > item.bitEnd) return;
    const int last = std::min<int>(item.bitEnd, kComposedBits - 1);
    for (int k = item.bitStart; k <= last; ++k)
        if ((value >> (k - item.bitStart)) & 1u) SetBit(word, static_cast<uint8_t>(k));
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string RowNames(const OptionDialogLayout& layout) {
    std::string names;
    for (const std::string& name : QualifiedRowNames(layout))
        names += (names.empty() ? "" : ", ") + Quoted(name);
    return names;
}

std::vector<std::size_t> RowsLabelled(const OptionDialogLayout& layout, std::string_view label) {
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < layout.rows.size(); ++r)
        if (layout.rows[r].label == label) rows.push_back(r);
    return rows;
}

Result<std::size_t> FindRow(const OptionDialogLayout& layout, std::string_view item) {
    if (layout.rows.empty()) return Error{"this chip has no configuration items to set"};
    const std::vector<std::size_t> exact = RowsLabelled(layout, item);
    if (exact.size() == 1) return exact.front();
    if (exact.size() > 1)
        return Error{"the item " + Quoted(item) + " names " + std::to_string(exact.size()) +
                     " rows; qualify it as NAME#K. The items are: " + RowNames(layout)};
    const std::size_t hash = item.rfind('#');
    if (hash != std::string_view::npos) {
        const std::string_view digits = item.substr(hash + 1);
        std::size_t ordinal = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), ordinal);
        const std::vector<std::size_t> named = RowsLabelled(layout, item.substr(0, hash));
        if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size() && ordinal >= 1 &&
            ordinal <= named.size())
            return named[ordinal - 1];
    }
    return Error{"no configuration item " + Quoted(item) + "; the items are: " + RowNames(layout)};
}

}  // namespace

std::vector<std::string> QualifiedRowNames(const OptionDialogLayout& layout) {
    std::map<std::string_view, std::size_t> totals;
    for (const OptionRow& row : layout.rows) ++totals[row.label];
    std::map<std::string_view, std::size_t> seen;
    std::vector<std::string> names;
    names.reserve(layout.rows.size());
    for (const OptionRow& row : layout.rows) {
        const std::size_t ordinal = ++seen[row.label];
        names.push_back(totals[row.label] > 1 ? row.label + "#" + std::to_string(ordinal) : row.label);
    }
    return names;
}

int OptionRowListId(std::size_t row) {
    return row < kClassicRowLimit ? kFirstListId + static_cast<int>(row)
                                  : kExtraListIdBase + static_cast<int>(row);
}

int OptionRowLabelId(std::size_t row) {
    return row < kClassicRowLimit ? kFirstLabelId + static_cast<int>(row)
                                  : kExtraLabelIdBase + static_cast<int>(row);
}

std::size_t ComposedWordCount(const ChipDefinition& definition) {
    return std::min<std::size_t>(definition.optionWordCount, definition.optionWords.size());
}

uint8_t FieldMask(const OptionItem& item) {
    uint8_t mask = 0;
    if (item.bitStart > item.bitEnd) return mask;
    for (int k = item.bitStart; k <= std::min<int>(item.bitEnd, 7); ++k)
        mask = static_cast<uint8_t>(mask | 1u << k);
    return mask;
}

uint16_t DecodeField(const OptionItem& item, uint8_t optionByte) {
    if (item.bitStart >= 8) return 0;
    return static_cast<uint16_t>((optionByte & FieldMask(item)) >> item.bitStart);
}

OptionDialogLayout BuildOptionDialog(const ChipDefinition& definition, std::string_view chipNameGbk,
                                     std::span<const uint8_t> optionBytes) {
    OptionDialogLayout layout;
    layout.caption = text::GbkToUtf8(chipNameGbk);
    const std::size_t words = ComposedWordCount(definition);
    for (std::size_t w = 0; w < words; ++w) {
        const OptionWord& word = definition.optionWords[w];
        const uint8_t current = w < optionBytes.size() ? optionBytes[w] : 0;
        for (std::size_t i = 0; i < word.items.size(); ++i) {
            const OptionItem& item = word.items[i];
            if (item.Kind() != OptionItemKind::Select) continue;
            const std::size_t r = layout.rows.size();
            OptionRow row;
            row.wordIndex = w;
            row.itemIndex = i;
            row.label = text::GbkToUtf8(item.name);
            row.listId = OptionRowListId(r);
            row.labelId = OptionRowLabelId(r);
            row.labelRect = {15, 24 + RowTop(r), 170, 169 + RowTop(r)};
            row.listRect = {130, 20 + RowTop(r), 270, 147 + RowTop(r)};
            const uint16_t field = DecodeField(item, current);
            for (std::size_t v = 0; v < item.values.size(); ++v) {
                row.choices.push_back(text::GbkToUtf8(item.values[v].name));
                row.choiceValues.push_back(item.values[v].value);
                if (item.values[v].value == field) row.selection = static_cast<int>(v);
            }
            if (row.selection < 0 && !item.values.empty()) row.selection = 0;
            layout.rows.push_back(std::move(row));
        }
    }
    const int rowsHeight = RowTop(layout.rows.size());
    layout.height = rowsHeight + 4 * kRowPitch;
    layout.frame = {8, 8, 284, 30 + rowsHeight};
    layout.okButton = {50, 40 + rowsHeight, 130, 67 + rowsHeight};
    layout.cancelButton = {170, 40 + rowsHeight, 250, 67 + rowsHeight};
    return layout;
}

OptionDialogPlacement PlaceOptionDialog(const OptionDialogLayout& layout, int screenWidth, int screenHeight,
                                        int availableHeight) {
    OptionDialogPlacement placement;
    placement.height = layout.height;
    if (availableHeight > 0 && layout.height > availableHeight) {
        placement.height = availableHeight;
        placement.rowsScroll = true;
    }
    placement.x = (screenWidth - placement.width) / 2;
    placement.y = std::max(0, (screenHeight - placement.height) / 2);
    return placement;
}

std::vector<uint16_t> ComposeOptionWords(const ChipDefinition& definition, std::span<const int> selections) {
    const std::size_t count = ComposedWordCount(definition);
    std::vector<uint16_t> composed(count, 0);
    std::size_t row = 0;
    for (std::size_t w = 0; w < count; ++w) {
        for (const OptionItem& item : definition.optionWords[w].items) {
            switch (item.Kind()) {
                case OptionItemKind::Reverse: {
                    // Written in the 48-based numbering; below word 0 it wraps
                    // far beyond the array and is ignored like any other stray.
                    const auto j =
                        static_cast<uint16_t>(item.revAddr - definition.optionWords.front().headerOffset);
                    if (j < count && !BitOf(composed[j], item.revBit)) SetBit(composed[w], item.bitStart);
                    break;
                }
                case OptionItemKind::Fixed:
                    if (!item.values.empty()) PlaceField(composed[w], item, item.values.front().value);
                    break;
                case OptionItemKind::Select: {
                    const int selection = row < selections.size() ? selections[row] : -1;
                    ++row;
                    if (selection >= 0 && static_cast<std::size_t>(selection) < item.values.size())
                        PlaceField(composed[w], item, item.values[static_cast<std::size_t>(selection)].value);
                    break;
                }
            }
        }
    }
    return composed;
}

Status ApplyOptionSelections(const ChipDefinition& definition, std::span<const int> selections,
                             std::vector<uint8_t>& buffer) {
    const std::size_t count = ComposedWordCount(definition);
    if (count == 0) return Error{std::string(kNoOptionWordsMessage)};
    const std::vector<uint16_t> composed = ComposeOptionWords(definition, selections);
    if (buffer.size() < count) buffer.resize(count, 0);
    for (std::size_t w = 0; w < count; ++w) buffer[w] = static_cast<uint8_t>(composed[w] & 0xFF);
    return Status::Ok();
}

std::vector<int> Selections(const OptionDialogLayout& layout) {
    std::vector<int> selections;
    selections.reserve(layout.rows.size());
    for (const OptionRow& row : layout.rows) selections.push_back(row.selection);
    return selections;
}

Result<OptionChoice> FindOptionChoice(const OptionDialogLayout& layout, std::string_view item,
                                      std::string_view value) {
    Result<std::size_t> row = FindRow(layout, item);
    if (!row) return row.error();
    const OptionRow& found = layout.rows[*row];
    std::string choices;
    for (const std::string& choice : found.choices) choices += (choices.empty() ? "" : ", ") + Quoted(choice);
    if (found.choices.empty())
        return Error{"the item " + Quoted(item) + " offers no values in this chip's definition"};

    std::vector<std::size_t> matches;
    for (std::size_t v = 0; v < found.choices.size(); ++v)
        if (found.choices[v] == value) matches.push_back(v);
    if (matches.empty())
        return Error{"no value " + Quoted(value) + " for " + Quoted(item) + "; the choices are: " + choices};
    // Entries that share a name and a number compose the same bytes.
    for (std::size_t v : matches)
        if (found.choiceValues[v] != found.choiceValues[matches.front()])
            return Error{"the value " + Quoted(value) + " of " + Quoted(item) +
                         " names entries with different numbers; the choices are: " + choices};
    return OptionChoice{*row, static_cast<int>(matches.back())};
}

Result<OptionChoice> FindOptionAssignment(const OptionDialogLayout& layout, std::string_view assignment) {
    const std::size_t first = assignment.find('=');
    if (first == std::string_view::npos) return Error{"needs ITEM=VALUE, not " + Quoted(assignment)};
    for (std::size_t at = first; at != std::string_view::npos; at = assignment.find('=', at + 1)) {
        const std::string_view item = assignment.substr(0, at);
        if (FindRow(layout, item)) return FindOptionChoice(layout, item, assignment.substr(at + 1));
    }
    return FindOptionChoice(layout, assignment.substr(0, first), assignment.substr(first + 1));
}

}  // namespace tovrin::catalogue
