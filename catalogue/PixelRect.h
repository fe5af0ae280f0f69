#pragma once

namespace tovrin::catalogue {

// A rectangle in a dialog's client area, in pixels, as the dialogs that
// build their rows at run time place them.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const PixelRect&) const = default;
};

}  // namespace tovrin::catalogue
