#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "burner/BurnerEvents.h"
#include "burner/BurnerLink.h"

namespace tovrin::image {
class Workbench;
}

namespace tovrin::burner {

inline constexpr std::string_view kOpenShortWarning =
    "烧录器将不对芯片进行OS测试，建议进行OS设置，是否继续下载? ";
inline constexpr std::string_view kFtProgramQuestion =
    "烧录器在功能测试的同时对芯片进行烧录（FT+PROGRAM），请确认? ";

// Byte 21 of the OptionByteBuffer, bit 4 set: the open/short pin test is off.
inline constexpr std::size_t kOpenShortOptionByte = 21;
inline constexpr uint8_t kOpenShortOffBit = 0x10;

enum class DownloadCommandResult {
    Declined,    // a confirmation was answered No: nothing disabled, nothing sent
    SaveFailed,  // the project file could not be written: ends silently
    Ran,         // the download exchange ran; the link's LastOutcome tells how it ended
};

// The download button's steps before anything is sent: BuildHeader, the
// open/short warning, the FT+PROGRAM confirmation and the save decision.
// Ran means the download may go ahead. A gang asks these once for all burners.
DownloadCommandResult ConfirmDownload(image::Workbench& workbench, BurnerEvents& events);

// The download button's steps after the questions: the settings controls
// disabled, DownloadActive set and the download exchange run.
void StartDownload(BurnerLink& link, BurnerEvents& events);

// The download button: BuildHeader, the open/short warning, the FT+PROGRAM
// confirmation, the save decision, then the download with the settings
// controls disabled. Questions go to events.AskYesNo.
DownloadCommandResult RunDownloadCommand(image::Workbench& workbench, BurnerLink& link, BurnerEvents& events);

// The chip-checksum button: ignored while a download is active (false);
// otherwise BuildHeader and the read-back.
bool RunChipChecksumCommand(image::Workbench& workbench, BurnerLink& link);

}  // namespace tovrin::burner
