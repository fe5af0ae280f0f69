#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tovrin::dialog {

// What a template control becomes.
enum class ControlKind {
    Edit,         // single line; multi-line with kMultiLine
    Static,       // text label, or a plain frame with kFrame
    PushButton,   // kDefaultButton makes it the default push button
    CheckBox,     // auto check box
    RadioButton,  // auto radio button; see kGroupStart
    ComboBox,     // with an edit field, or a drop-down list with kDropDownList
    GroupBox,
    ProgressBar,
    TabControl,
    HexEdit,  // CHexEdit
};

// Initial state and kind styles of a control, combined with |.
using ControlFlags = uint32_t;
namespace flag {
inline constexpr ControlFlags kNone = 0;
inline constexpr ControlFlags kDisabled = 1u << 0;
inline constexpr ControlFlags kHidden = 1u << 1;
inline constexpr ControlFlags kReadOnly = 1u << 2;  // edits
// A group runs from a control with kGroupStart up to the next one; the radio
// buttons of a group exclude each other and are indexed in template order.
// Controls before the first kGroupStart form a group of their own.
inline constexpr ControlFlags kGroupStart = 1u << 3;
inline constexpr ControlFlags kMultiLine = 1u << 4;       // edits
inline constexpr ControlFlags kAutoScroll = 1u << 5;      // edits: the text scrolls instead of stopping
inline constexpr ControlFlags kVerticalScroll = 1u << 6;  // multi-line edits and combo boxes
inline constexpr ControlFlags kDefaultButton = 1u << 7;   // push buttons
inline constexpr ControlFlags kDropDownList = 1u << 8;    // combo boxes: no edit field
inline constexpr ControlFlags kSorted = 1u << 9;          // combo boxes: added entries go in order
inline constexpr ControlFlags kFrame = 1u << 10;          // statics: a plain frame; progress bars: a border
}  // namespace flag

// Ids of controls that nobody addresses (labels, frames).
inline constexpr int kNoControlId = -1;

// One control of a template; positions and sizes are dialog units. Texts are
// UTF-8. For a combo box cy is the height of the dropped-down list.
struct ControlTemplate {
    int id = kNoControlId;
    ControlKind kind = ControlKind::Static;
    std::string_view text;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    ControlFlags flags = flag::kNone;

    constexpr bool Has(ControlFlags f) const { return (flags & f) == f; }
};

struct FontSpec {
    std::string_view face;
    int pointSize = 8;
};

// Window styles of a whole dialog, combined with |.
using DialogFlags = uint32_t;
namespace dialog_flag {
inline constexpr DialogFlags kNone = 0;
inline constexpr DialogFlags kSizingBorder = 1u << 0;
inline constexpr DialogFlags kMinMaxBoxes = 1u << 1;
inline constexpr DialogFlags kCentered = 1u << 2;  // on the screen, or over the owner
// A child page without caption or border (placed by its owner, e.g. in a tab
// control); its keys go to the dialog that holds it.
inline constexpr DialogFlags kChild = 1u << 3;
// x and y place the window relative to its owner's client area.
inline constexpr DialogFlags kPositioned = 1u << 4;
// A caption without system menu, hence without close box.
inline constexpr DialogFlags kNoSystemMenu = 1u << 5;
}  // namespace dialog_flag

// A dialog template as constexpr data, written beside its dialog:
//   inline constexpr ControlTemplate kAboutControls[] = {...};
//   inline constexpr DialogTemplate kAboutTemplate{100, "关于...", 0, 0, 170, 62, {"MS Shell Dlg", 8},
//                                                  dialog_flag::kNone, kAboutControls};
struct DialogTemplate {
    int id = 0;  // the template's number, for messages and screenshots
    std::string_view caption;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    FontSpec font;
    DialogFlags flags = dialog_flag::kNone;
    std::span<const ControlTemplate> controls;

    constexpr bool Has(DialogFlags f) const { return (flags & f) == f; }
};

}  // namespace tovrin::dialog
