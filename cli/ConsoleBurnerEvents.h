#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "burner/BurnerEvents.h"

namespace tovrin::cli {

// How the command line answers the main dialog's questions.
struct ConsoleAnswers {
    bool confirm = false;  // --yes: the open/short warning and the FT+PROGRAM confirmation
    bool save = false;     // --save: the question whether to overwrite the source
};

// The burner link's events on a terminal: reports on standard output,
// notices on standard error, a progress bar on a terminal (a plain line per
// packet otherwise), questions answered from the command line.
class ConsoleBurnerEvents final : public burner::BurnerEvents {
public:
    ConsoleBurnerEvents(std::ostream& out, std::ostream& err, ConsoleAnswers answers, bool progressBar,
                        bool quiet = false);

    void ReportStatus(std::string_view text) override;
    void AddFirmwareVersion(std::string_view text) override;
    void SelectFirmwareVersion(int) override {}
    void ClearFirmwareVersions() override { firmwareVersions_.clear(); }
    void SetConnectionText(std::string_view text) override { connectionText_ = text; }
    void ShowProgress() override {}
    void HideProgress() override;
    void SetProgressTotal(int total) override { progressTotal_ = total; }
    void SetProgressPosition(int position) override;
    void ShowMessage(std::string_view text) override;
    bool AskYesNo(image::Question kind, std::string_view text) override;
    void EnableButton(int, bool) override {}
    void SetSettingsControls(std::span<const burner::ControlEnabling>) override {}
    void StopTimer(int) override {}
    void StartTimer(int, int) override {}

    const std::vector<std::string>& FirmwareVersions() const { return firmwareVersions_; }
    const std::string& ConnectionText() const { return connectionText_; }
    // Every status report so far, CR LF as LF.
    const std::vector<std::string>& Reports() const { return reports_; }
    // The question the user declined, when one ended the command.
    const std::optional<std::string>& DeclinedQuestion() const { return declined_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    ConsoleAnswers answers_;
    bool progressBar_;
    bool quiet_;
    bool barShown_ = false;
    int progressTotal_ = 0;
    std::vector<std::string> firmwareVersions_;
    std::string connectionText_;
    std::vector<std::string> reports_;
    std::optional<std::string> declined_;
};

}  // namespace tovrin::cli
