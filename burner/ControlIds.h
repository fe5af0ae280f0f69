#pragma once

#include "image/RollingCodeControls.h"

// Controls of the main dialog that the burner link drives; the rolling-code
// group and the test check box are named with the image's controls.
namespace tovrin::burner::control {

inline constexpr int kDownloadButton = 1;      // "下载"
inline constexpr int kChipChecksumButton = 3;  // "芯片校验和"
inline constexpr int kStatusLog = 1005;
inline constexpr int kFirmwareVersionList = 1009;
inline constexpr int kConnectionText = 1051;
inline constexpr int kVerifyCheckbox = 1024;      // "校验"
inline constexpr int kBlankCheckCheckbox = 1025;  // "查空"
inline constexpr int kProgramCheckbox = 1026;     // "烧录"
inline constexpr int kTestCheckbox = image::control::kTestCheckbox;
inline constexpr int kRollingCodeEnable = image::control::kRollingCodeEnable;
inline constexpr int kOneAddress = image::control::kOneAddress;
inline constexpr int kTwoAddresses = image::control::kTwoAddresses;
inline constexpr int kThreeAddresses = image::control::kThreeAddresses;
inline constexpr int kFourAddresses = image::control::kFourAddresses;

// The main dialog's timer that runs the presence probe.
inline constexpr int kProbeTimerId = 1;
inline constexpr int kProbeTimerPeriodMs = 1000;

}  // namespace tovrin::burner::control
