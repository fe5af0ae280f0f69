#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ChipDefinition.h"
#include "catalogue/PixelRect.h"
#include "platform/system/Result.h"

// The configuration-word dialog's rules as data: which items get a row, how
// the current option bytes select their values, and how the selections
// compose the option bytes again. They live beside the chip model because
// they give its items their meaning, and the definition checker reports
// against the same facts.
namespace tovrin::catalogue {

namespace option_dialog {
inline constexpr int kWidth = 300;
inline constexpr int kRowPitch = 27;
// Rows that have ids of the classic control arrays; further rows take ids
// from ranges of their own so that they never meet a label or a button.
inline constexpr std::size_t kClassicRowLimit = 100;
inline constexpr int kFirstListId = 2001;
inline constexpr int kFirstLabelId = 2101;
inline constexpr int kExtraListIdBase = 100000;
inline constexpr int kExtraLabelIdBase = 200000;
inline constexpr int kOkId = 2201;
inline constexpr int kCancelId = 2202;
inline constexpr std::string_view kOkText = "确定";
inline constexpr std::string_view kCancelText = "取消";
inline constexpr std::string_view kNoOptionWordsMessage = "Invalid Device files!";
// Half-width columns of 10-point 宋体 a label or a list shows before the
// text is cut: the label is visible up to the list's left edge.
inline constexpr std::size_t kVisibleNameColumns = 16;
}  // namespace option_dialog

struct OptionRow {
    std::size_t wordIndex = 0;         // place in OptionWords
    std::size_t itemIndex = 0;         // place in the word's items
    std::string label;                 // UTF-8
    std::vector<std::string> choices;  // UTF-8 value names, list entry i = value i
    std::vector<uint16_t> choiceValues;
    int selection = -1;  // -1: the item has no values, the list stays empty
    int listId = 0;
    int labelId = 0;
    PixelRect labelRect;
    PixelRect listRect;  // its bottom fixes the dropped-down list's height
};

struct OptionDialogLayout {
    std::string caption;  // the chip name, UTF-8
    int height = 0;       // (rows + 4) x 27; the width is option_dialog::kWidth
    PixelRect frame;
    PixelRect okButton;
    PixelRect cancelButton;
    std::vector<OptionRow> rows;
};

// Where the window goes on a screen. Taller than the available height, the
// window keeps to that height and its rows scroll.
struct OptionDialogPlacement {
    int x = 0;
    int y = 0;
    int width = option_dialog::kWidth;
    int height = 0;
    bool rowsScroll = false;
};

int OptionRowListId(std::size_t row);
int OptionRowLabelId(std::size_t row);

// The option words the rules work on: OptionWordCount, but never more than
// the definition holds.
std::size_t ComposedWordCount(const ChipDefinition& definition);

// Bits of an option byte that a field covers: BitStart..BitEnd cut to 8 bits;
// none for a reversed range.
uint8_t FieldMask(const OptionItem& item);
// The field's value in an option byte.
uint16_t DecodeField(const OptionItem& item, uint8_t optionByte);

// Rows for the displayable items, each selecting the last value that equals
// its field in optionBytes (byte w for word w; missing bytes read 0), the
// first when none does.
OptionDialogLayout BuildOptionDialog(const ChipDefinition& definition, std::string_view chipNameGbk,
                                     std::span<const uint8_t> optionBytes);

OptionDialogPlacement PlaceOptionDialog(const OptionDialogLayout& layout, int screenWidth, int screenHeight,
                                        int availableHeight);

// Composes the option words from one selection per row (in row order);
// "Fixed" and "Reverse" items take part, every bit no item covers is 0.
// A selection outside its row's values leaves the field 0.
std::vector<uint16_t> ComposeOptionWords(const ChipDefinition& definition, std::span<const int> selections);

// The apply: composes and writes the low bytes into buffer bytes 0..N-1,
// growing the buffer to N bytes when it is shorter. Fails, changing nothing,
// for a definition without option words.
Status ApplyOptionSelections(const ChipDefinition& definition, std::span<const int> selections,
                             std::vector<uint8_t>& buffer);

std::vector<int> Selections(const OptionDialogLayout& layout);

// A row and one of its values named by their display texts, as a person
// types them: "NAME" or "NAME#K" (the K-th row of that name, from 1).
struct OptionChoice {
    std::size_t row = 0;
    int selection = 0;
};
// Each row's label as FindOptionChoice takes it: with "#K" when rows share it.
std::vector<std::string> QualifiedRowNames(const OptionDialogLayout& layout);
Result<OptionChoice> FindOptionChoice(const OptionDialogLayout& layout, std::string_view item,
                                      std::string_view value);
// "ITEM=VALUE", split at the first "=" after which the left side names a row
// (names may hold "=" themselves).
Result<OptionChoice> FindOptionAssignment(const OptionDialogLayout& layout, std::string_view assignment);

}  // namespace tovrin::catalogue
