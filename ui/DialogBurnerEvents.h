#pragma once

#include "burner/BurnerEvents.h"

namespace tovrin::ui {

class CVerantDlg;

// The burner link as it shows itself in the main window.
class DialogBurnerEvents final : public burner::BurnerEvents {
public:
    explicit DialogBurnerEvents(CVerantDlg& dialog) : dialog_(dialog) {}

    void ReportStatus(std::string_view text) override;
    void AddFirmwareVersion(std::string_view text) override;
    void SelectFirmwareVersion(int index) override;
    void ClearFirmwareVersions() override;
    void SetConnectionText(std::string_view text) override;
    void ShowProgress() override;
    void HideProgress() override;
    void SetProgressTotal(int total) override;
    void SetProgressPosition(int position) override;
    void ShowMessage(std::string_view text) override;
    bool AskYesNo(image::Question kind, std::string_view question) override;
    void EnableButton(int id, bool enabled) override;
    void SetSettingsControls(std::span<const burner::ControlEnabling> states) override;
    void StopTimer(int timerId) override;
    void StartTimer(int timerId, int periodMs) override;

private:
    CVerantDlg& dialog_;
};

}  // namespace tovrin::ui
