#include "cli/ConsoleBurnerEvents.h"

#include <cstdio>

#include "cli/TextFormat.h"
#include "platform/text/GbkText.h"

namespace tovrin::cli {
namespace {
constexpr int kBarWidth = 40;
}

ConsoleBurnerEvents::ConsoleBurnerEvents(std::ostream& out, std::ostream& err, ConsoleAnswers answers,
                                         bool progressBar, bool quiet)
    : out_(out), err_(err), answers_(answers), progressBar_(progressBar), quiet_(quiet) {}

void ConsoleBurnerEvents::ReportStatus(std::string_view text) {
    reports_.push_back(WithLineFeeds(text));
    if (!quiet_) out_ << reports_.back() << "\n" << std::flush;
}

void ConsoleBurnerEvents::AddFirmwareVersion(std::string_view text) {
    firmwareVersions_.push_back(text::GbkToUtf8(text));
}

void ConsoleBurnerEvents::SetProgressPosition(int position) {
    char caption[64];
    std::snprintf(caption, sizeof caption, "Progress :  %d / %d", position, progressTotal_);
    if (!progressBar_) {
        out_ << caption << "\n";
        return;
    }
    const int filled = progressTotal_ > 0 ? (position * kBarWidth) / progressTotal_ : 0;
    out_ << "\r" << caption << " [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "]" << std::flush;
    barShown_ = true;
}

void ConsoleBurnerEvents::HideProgress() {
    if (barShown_) out_ << "\n" << std::flush;
    barShown_ = false;
}

void ConsoleBurnerEvents::ShowMessage(std::string_view text) {
    HideProgress();
    err_ << "tovrin-cli: " << WithLineFeeds(text) << "\n";
}

bool ConsoleBurnerEvents::AskYesNo(image::Question kind, std::string_view question) {
    const bool isSaveQuestion = kind == image::Question::OverwriteSource;
    const bool yes = isSaveQuestion ? answers_.save : answers_.confirm;
    if (yes) {
        out_ << WithLineFeeds(question) << "Yes\n";
        return true;
    }
    if (isSaveQuestion) {
        // Declining to save does not end the download.
        out_ << WithLineFeeds(question) << "No (pass --save to write the project file)\n";
        return false;
    }
    declined_ = std::string(question);
    err_ << "tovrin-cli: " << WithLineFeeds(question) << "\n"
         << "tovrin-cli: answered No; pass --yes to confirm\n";
    return false;
}

}  // namespace tovrin::cli
