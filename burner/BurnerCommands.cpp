#include "burner/BurnerCommands.h"

#include <string_view>

#include "image/ChipNames.h"
#include "image/ControlIds.h"
#include "image/ImageHeader.h"
#include "image/Workbench.h"

namespace tovrin::burner {

namespace {

bool OpenShortTestOff(const image::Workbench& workbench) {
    const auto& image = workbench.ProgrammingImage();
    if (image.size() < image::header::kChipNameLength) return false;
    const std::string_view chipName(reinterpret_cast<const char*>(image.data()),
                                    image::header::kChipNameLength);
    const auto& options = workbench.OptionByteBuffer();
    return image::IsQ3L88Family(chipName) && options.size() > kOpenShortOptionByte &&
           (options[kOpenShortOptionByte] & kOpenShortOffBit) != 0;
}

}  // namespace

DownloadCommandResult ConfirmDownload(image::Workbench& workbench, BurnerEvents& events) {
    workbench.BuildHeader();
    if (OpenShortTestOff(workbench) && !events.AskYesNo(image::Question::OpenShortWarning, kOpenShortWarning))
        return DownloadCommandResult::Declined;
    const auto& controls = workbench.Controls();
    if (controls.program && controls.test &&
        !events.AskYesNo(image::Question::FtProgramConfirm, kFtProgramQuestion))
        return DownloadCommandResult::Declined;
    const auto ask = [&events](image::Question kind, std::string_view text) {
        return events.AskYesNo(kind, text);
    };
    if (workbench.DecideSave(ask) == image::SaveDecision::Abort) return DownloadCommandResult::SaveFailed;
    return DownloadCommandResult::Ran;
}

void StartDownload(BurnerLink& link, BurnerEvents& events) {
    events.EnableButton(control::kDownloadButton, false);
    const SettingsControlStates disabled = DisabledSettingsControls();
    events.SetSettingsControls(disabled);
    link.SetDownloadActive(true);
    link.ExecuteBurnerCommand(CMD_DOWNLOAD);
}

DownloadCommandResult RunDownloadCommand(image::Workbench& workbench, BurnerLink& link,
                                         BurnerEvents& events) {
    const DownloadCommandResult confirmed = ConfirmDownload(workbench, events);
    if (confirmed != DownloadCommandResult::Ran) return confirmed;
    StartDownload(link, events);
    return DownloadCommandResult::Ran;
}

bool RunChipChecksumCommand(image::Workbench& workbench, BurnerLink& link) {
    if (link.DownloadActive()) return false;
    workbench.BuildHeader();
    link.ExecuteBurnerCommand(CMD_CHIP_CHECKSUM);
    return true;
}

}  // namespace tovrin::burner
