#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/easypod/BurnerBackends.h"

namespace tovrin::ui {

inline constexpr std::string_view kApplicationTitle = "Tovrin";
// The name of the single-instance lock.
inline constexpr std::string_view kInstanceLockName = "Tovrin";
inline constexpr std::string_view kAlreadyRunningText =
    "程序已运行或程序刚刚关闭，请完成以下操作并重试：\n\n   1- 关闭已运行窗口 \n\n   2- 重新拔插USB";

// What the command line asks for:
//   tovrin [--program-dir DIR] [--burner SELECTOR] [--screenshot FILE] [--download] [SOURCE]
struct StartOptions {
    std::filesystem::path programDirectory;  // empty: the executable's folder
    std::string burner;                      // empty: TOVRIN_BURNER, else usb
    std::filesystem::path screenshot;        // non-empty: render the window to this PNG and exit
    bool download = false;                   // with --screenshot: download after SOURCE first
    std::optional<std::filesystem::path> source;
};

// The application object: one running copy, then the main window until it
// ends. The start steps of the Windows original (common controls, ActiveX
// hosting, shell manager, registry key, restart manager) have no counterpart
// here and are left out.
class CVerantApp {
public:
    // usbBackend is the real burners' entry of the backend table, which only
    // the executable gives, since only it links hidapi.
    explicit CVerantApp(std::optional<easypod::BurnerBackendEntry> usbBackend = std::nullopt)
        : usbBackend_(std::move(usbBackend)) {}

    // Needs a QApplication. Returns the process's exit status.
    int Run(const std::vector<std::string>& arguments);
    int Run(const StartOptions& options);

private:
    std::optional<easypod::BurnerBackendEntry> usbBackend_;
};

}  // namespace tovrin::ui
