#include "optionlib/ConfigBitsLayout.h"

#include "optionlib/OptionDescription.h"

namespace tovrin::optionlib {
namespace {

constexpr int kColumnSpacing = 25;
constexpr int kWindowWidthBeyondColumns = 15;
constexpr int kGroupBoxLeft = 10;
constexpr int kGroupBoxTop = 5;
constexpr int kGroupBoxWidthShortfall = 10;

}  // namespace

int ReferenceRow(int rows) {
    if (rows <= 0) return 0;
    return rows < kRowsPerColumn ? rows - 1 : kRowsPerColumn - 1;
}

ConfigBitsLayout ComputeConfigBitsLayout(const ConfigBitsLayoutInput& input, Variant variant) {
    const VariantTraits& traits = TraitsOf(variant);
    ConfigBitsLayout layout;
    layout.columnWidth = input.firstListRight - input.firstLabelLeft + kColumnSpacing;
    layout.columns = (input.rows > 0 ? input.rows : 0) / kRowsPerColumn + 1;
    layout.windowWidth = layout.columns * layout.columnWidth + kWindowWidthBeyondColumns;
    layout.windowHeight = input.referenceListBottom + traits.windowHeightBelowReference;
    layout.clientWidth = layout.windowWidth - input.frameWidth;
    layout.clientHeight = layout.windowHeight - input.frameHeight;
    layout.groupBox = {kGroupBoxLeft, kGroupBoxTop,
                       layout.columns * layout.columnWidth - kGroupBoxWidthShortfall,
                       input.referenceListBottom + traits.groupBoxHeightBeyondReference};
    const int gap = (layout.clientWidth - 2 * input.buttonWidth) / 3;
    const int buttonTop = layout.clientHeight - input.buttonHeight - traits.buttonsAboveClientBottom;
    layout.ok = {gap, buttonTop, input.buttonWidth, input.buttonHeight};
    layout.cancel = {2 * gap + input.buttonWidth, buttonTop, input.buttonWidth, input.buttonHeight};
    return layout;
}

}  // namespace tovrin::optionlib
