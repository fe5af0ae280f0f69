#pragma once

#include <optional>
#include <string>

namespace tovrin::dialog {

// A control's state as the Qt-free libraries compute it, applied by
// Dialog::ApplyControlStates. readOnly applies to edits only.
struct ControlState {
    int id = 0;
    bool enabled = true;
    bool readOnly = false;
    std::optional<std::string> text;  // UTF-8; replaces the control's text
    std::optional<bool> checked;      // check boxes and radio buttons
};

}  // namespace tovrin::dialog
