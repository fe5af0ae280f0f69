#include "cli/GangConsole.h"

#include <cstdio>

#include "cli/TextFormat.h"

namespace tovrin::cli {
namespace {

// A burner's events printed through the shared console. Questions were
// asked before the gang started, so any question here is declined.
class GangMemberEvents final : public burner::BurnerEvents {
public:
    GangMemberEvents(GangConsole& console, std::size_t index) : console_(console), index_(index) {}

    void ReportStatus(std::string_view text) override { console_.Note(index_, WithLineFeeds(text), false); }
    void AddFirmwareVersion(std::string_view) override {}
    void SelectFirmwareVersion(int) override {}
    void ClearFirmwareVersions() override {}
    void SetConnectionText(std::string_view) override {}
    void ShowProgress() override {}
    void HideProgress() override {}
    void SetProgressTotal(int total) override { total_ = total; }
    void SetProgressPosition(int position) override {
        char caption[64];
        std::snprintf(caption, sizeof caption, "Progress :  %d / %d", position, total_);
        console_.SetLine(index_, caption);
    }
    void ShowMessage(std::string_view text) override { console_.Note(index_, WithLineFeeds(text), true); }
    bool AskYesNo(image::Question, std::string_view) override { return false; }
    void EnableButton(int, bool) override {}
    void SetSettingsControls(std::span<const burner::ControlEnabling>) override {}
    void StopTimer(int) override {}
    void StartTimer(int, int) override {}

private:
    GangConsole& console_;
    std::size_t index_;
    int total_ = 0;
};

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

GangConsole::GangConsole(std::ostream& out, std::ostream& err, std::vector<std::string> burners,
                         bool liveLines)
    : out_(out), err_(err), burners_(std::move(burners)), lines_(burners_.size()), live_(liveLines) {}

std::unique_ptr<burner::BurnerEvents> GangConsole::EventsFor(std::size_t index) {
    return std::make_unique<GangMemberEvents>(*this, index);
}

void GangConsole::SetLine(std::size_t index, const std::string& text) {
    std::lock_guard lock(mutex_);
    lines_[index] = text;
    if (!live_) {
        out_ << "[" << burners_[index] << "] " << text << "\n" << std::flush;
        return;
    }
    if (!started_) {
        for (std::size_t i = 0; i < burners_.size(); ++i) out_ << "\n";
        started_ = true;
    }
    // Up to the burner's line, rewrite it, back down below the block.
    const std::size_t up = burners_.size() - index;
    out_ << "\033[" << up << "A\r\033[2K[" << burners_[index] << "] " << text << "\033[" << up << "B\r"
         << std::flush;
}

void GangConsole::Note(std::size_t index, const std::string& text, bool isError) {
    const std::string line = OneLine(text);
    if (line.empty()) return;
    if (live_ && !isError) {
        SetLine(index, line);
        return;
    }
    std::lock_guard lock(mutex_);
    (isError ? err_ : out_) << (isError ? "tovrin-cli: [" : "[") << burners_[index] << "] " << line << "\n"
                            << std::flush;
}

}  // namespace tovrin::cli
