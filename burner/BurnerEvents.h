#pragma once

#include <span>
#include <string_view>

#include "burner/SettingsControls.h"
#include "image/Question.h"

namespace tovrin::burner {

// How the burner link shows itself in the main dialog. Texts are UTF-8,
// except the firmware version, which is the burner's own 8-bit text.
class BurnerEvents {
public:
    virtual ~BurnerEvents() = default;

    // A StatusLog report with the end-of-line flag (the time stamp is the dialog's).
    virtual void ReportStatus(std::string_view text) = 0;

    // Firmware-version list 1009.
    virtual void AddFirmwareVersion(std::string_view text) = 0;
    virtual void SelectFirmwareVersion(int index) = 0;
    virtual void ClearFirmwareVersions() = 0;

    // Connection text 1051.
    virtual void SetConnectionText(std::string_view text) = 0;

    // The progress window.
    virtual void ShowProgress() = 0;
    virtual void HideProgress() = 0;
    virtual void SetProgressTotal(int total) = 0;
    virtual void SetProgressPosition(int position) = 0;

    // An OK notice captioned with the application's title.
    virtual void ShowMessage(std::string_view text) = 0;
    // A Yes/No question of the given kind captioned "Velmora"; true only for Yes.
    virtual bool AskYesNo(image::Question kind, std::string_view text) = 0;

    // Buttons 1 and 3.
    virtual void EnableButton(int id, bool enabled) = 0;
    // The programming-settings controls.
    virtual void SetSettingsControls(std::span<const ControlEnabling> states) = 0;

    // The probe's timer.
    virtual void StopTimer(int timerId) = 0;
    virtual void StartTimer(int timerId, int periodMs) = 0;
};

}  // namespace tovrin::burner
