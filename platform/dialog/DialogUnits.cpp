#include "platform/dialog/DialogUnits.h"

#include <cstdint>

namespace tovrin::dialog {

int MulDiv(int a, int b, int c) {
    if (c == 0) return 0;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = (c < 0 ? -static_cast<int64_t>(c) : c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (product < 0 ? -product : product) + half;
    const int64_t quotient = magnitude / (c < 0 ? -static_cast<int64_t>(c) : c);
    return static_cast<int>(negative ? -quotient : quotient);
}

BaseUnits BaseUnits::FromLetterAdvance(int advanceOf52Letters, int fontHeight) {
    return {(advanceOf52Letters / 26 + 1) / 2, fontHeight};
}

PixelRect ToPixels(const BaseUnits& units, int x, int y, int cx, int cy) {
    return {units.HorizontalPixels(x), units.VerticalPixels(y), units.HorizontalPixels(cx),
            units.VerticalPixels(cy)};
}

}  // namespace tovrin::dialog
