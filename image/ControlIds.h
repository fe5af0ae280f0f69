#pragma once

#include <array>

// Control ids of the main dialog, shared by the Workbench, the burner link,
// the command line and the dialog that owns the controls.
namespace tovrin::control {

// Push buttons.
inline constexpr int kDownloadButton = 1;       // "下载"
inline constexpr int kChipChecksumButton = 3;   // "芯片校验和"
inline constexpr int kConfigurationButton = 5;  // "配置字"
inline constexpr int kDataBufferButton = 6;     // "缓冲区"
inline constexpr int kSelectFileButton = 1002;  // "选择文件..."
inline constexpr int kPinTestButton = 1055;     // "OS 设置"

// Texts and lists.
inline constexpr int kSourcePathEdit = 1000;
inline constexpr int kStatusLog = 1005;
inline constexpr int kFirmwareVersionList = 1009;
inline constexpr int kChipList = 1029;
inline constexpr int kQvbChecksumText = 1050;
inline constexpr int kConnectionText = 1051;
inline constexpr int kRomChecksumText = 1052;
inline constexpr int kConfigurationText = 1053;

// Programming flags.
inline constexpr int kVerifyCheckbox = 1024;      // "校验"
inline constexpr int kBlankCheckCheckbox = 1025;  // "查空"
inline constexpr int kProgramCheckbox = 1026;     // "烧录"
inline constexpr int kTestCheckbox = 1028;        // "测试"

// The rolling-code group.
inline constexpr int kRollingCodeEnable = 1034;  // "滚码使能"
inline constexpr int kOneAddress = 1031;         // "1地址", first of the radio group
inline constexpr int kTwoAddresses = 1016;       // "2地址"
inline constexpr int kThreeAddresses = 1015;     // "3地址"
inline constexpr int kFourAddresses = 1012;      // "4地址"
inline constexpr int kInitialValueLabel = 1114;  // "初值"
inline constexpr int kStepLabel = 1115;          // "步长"
inline constexpr int kAddress1 = 1041;
inline constexpr int kAddress2 = 1035;
inline constexpr int kAddress3 = 1036;
inline constexpr int kAddress4 = 1037;
inline constexpr int kInitialValue = 1040;
inline constexpr int kStep = 1039;

// Radio ids in the order of the address-count index (count - 1).
inline constexpr std::array<int, 4> kAddressCountRadios = {kOneAddress, kTwoAddresses, kThreeAddresses,
                                                           kFourAddresses};
// Address edit ids in address order.
inline constexpr std::array<int, 4> kAddressEdits = {kAddress1, kAddress2, kAddress3, kAddress4};

// The main dialog's timer that runs the presence probe.
inline constexpr int kProbeTimerId = 1;
inline constexpr int kProbeTimerPeriodMs = 1000;

}  // namespace tovrin::control
