#pragma once

#include <span>
#include <string_view>

namespace tovrin::dialoglib {

// A dialog template as data, in dialog units: what the builder turns into
// widgets. Texts are UTF-8.
enum class ControlKind { PushButton, DefaultPushButton, Static, DropDownList, GroupBox, TabControl };

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string_view text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;  // for a drop-down list: the height of its open list
    bool visible = true;
};

struct DialogTemplate {
    std::string_view caption;
    int width = 0;
    int height = 0;
    std::string_view fontFace;
    int fontPoints = 0;
    std::span<const ControlTemplate> controls;
    bool childPage = false;  // a page inside another control: no caption, sized by its holder
};

}  // namespace tovrin::dialoglib
