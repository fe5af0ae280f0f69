#pragma once

namespace tovrin::dialog {

// The classic MulDiv: a * b / c rounded half away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

// A template font's base units in pixels: the average width of the 52 letters
// A-Z a-z and the font height.
struct BaseUnits {
    int x = 0;
    int y = 0;

    // The average as the classic rule rounds it, from the advance of all 52 letters.
    static BaseUnits FromLetterAdvance(int advanceOf52Letters, int fontHeight);

    int HorizontalPixels(int dialogUnits) const { return MulDiv(dialogUnits, x, 4); }
    int VerticalPixels(int dialogUnits) const { return MulDiv(dialogUnits, y, 8); }
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Each of position and size converted on its own, as dialog templates are.
PixelRect ToPixels(const BaseUnits& units, int x, int y, int cx, int cy);

}  // namespace tovrin::dialog
