#pragma once

#include "optionlib/Variant.h"

namespace tovrin::optionlib {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const PixelRect&) const = default;
};

// The row whose list marks the bottom of the used area: the last used row
// of the first column, or its last row once the column is full.
int ReferenceRow(int rows);

// Pixel positions of the built template that the layout starts from.
struct ConfigBitsLayoutInput {
    int rows = 0;
    int firstLabelLeft = 0;       // label of row 0
    int firstListRight = 0;       // list of row 0
    int referenceListBottom = 0;  // list of ReferenceRow(rows), client coordinates
    int buttonWidth = 0;
    int buttonHeight = 0;
    int frameWidth = 0;  // window size minus client size
    int frameHeight = 0;
};

struct ConfigBitsLayout {
    int columns = 0;
    int columnWidth = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    PixelRect groupBox;
    PixelRect ok;
    PixelRect cancel;
};

// One more column than the rows fill, so exactly 20 or 40 rows leave an
// empty column at the right.
ConfigBitsLayout ComputeConfigBitsLayout(const ConfigBitsLayoutInput& input, Variant variant);

}  // namespace tovrin::optionlib
