#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "burner/BurnerEvents.h"

namespace tovrin::burner {

// Keeps what the link showed, both as the dialog would now look and as the
// sequence of calls ("ShowProgress", "SetProgressTotal 40", ...), for tests
// and for front ends that print afterwards.
class RecordingEvents : public BurnerEvents {
public:
    // Answers of AskYesNo in order; once used up every question gets defaultAnswer.
    std::deque<bool> answers;
    bool defaultAnswer = true;

    std::vector<std::string> calls;
    std::vector<std::string> statusReports;
    std::vector<std::string> firmwareVersions;
    int selectedFirmwareVersion = -1;
    std::string connectionText;
    bool progressVisible = false;
    int progressTotal = 0;
    int progressPosition = 0;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<image::Question> questionKinds;
    std::map<int, bool> enabled;  // buttons and settings controls by id
    std::map<int, bool> timers;   // running state by timer id

    // Enabled state of a control, or defaultState when it was never set.
    bool IsEnabled(int id, bool defaultState = false) const;
    void ClearCalls() { calls.clear(); }

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
    bool AskYesNo(image::Question kind, std::string_view text) override;
    void EnableButton(int id, bool enabled) override;
    void SetSettingsControls(std::span<const ControlEnabling> states) override;
    void StopTimer(int timerId) override;
    void StartTimer(int timerId, int periodMs) override;
};

}  // namespace tovrin::burner
