#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "burner/BurnerEvents.h"
#include "burner/Protocol.h"
#include "burner/SettingsControls.h"
#include "platform/easypod/EasyPod.h"

namespace tovrin::image {
class Workbench;
}

namespace tovrin::burner {

// A refused packet goes out again at most this many times; past that the
// burner is taken to be unwilling and the download ends.
inline constexpr int kMaxPacketResends = 8;

inline constexpr std::string_view kConnectedText = "已连接";
inline constexpr std::string_view kNotConnectedText = "未连接";
inline constexpr std::string_view kNoBurnerConnected = "No Burner Connected!";
inline constexpr std::string_view kDownloadSucceeded = "\r\n下载成功!";
inline constexpr std::string_view kUsbLostDuringDownload = "下载过程中USB断开，请重新下载... ...";
inline constexpr std::string_view kBurnerDidNotAnswer = "烧录器没有应答，请重新下载... ...";
inline constexpr std::string_view kBurnerKeptRefusing = "烧录器多次拒收数据包，请重新下载... ...";

// What the link reads of the main dialog's state, taken afresh for each
// probe and exchange. The packet counts follow from the sizes: the image in
// 32-byte packets rounded up, each pattern in whole 32-byte packets.
struct LinkInputs {
    std::span<const uint8_t> image;
    std::span<const uint8_t> testPattern;
    std::span<const uint8_t> testPattern2;
    bool sourceLoaded = false;
    SettingsRules settingsRules;
};
using LinkInputsSource = std::function<LinkInputs()>;

// The inputs as the Workbench holds them (spans into it: valid until it changes).
LinkInputs LinkInputsFrom(const image::Workbench& workbench);

// How the latest exchange ended, for front ends that report a status.
enum class ExchangeOutcome {
    Completed,     // reply decoded and shown; for a download, the last packet accepted
    NotConnected,  // ConnectPOD failed: nothing sent, nothing shown
    NoReply,       // the reply did not arrive in time
    Lost,          // the link broke while waiting for the reply: the burner went away
    WriteFailed,   // the request or a download packet could not be sent
    Refused,       // the burner kept refusing a download packet
    NothingSent,   // a download with nothing to send, or not marked active
};

// The burner link of the main dialog: presence probe and exchanges.
class BurnerLink {
public:
    BurnerLink(easypod::HidTransport& transport, BurnerEvents& events, LinkInputsSource inputs);

    // One presence probe with its display updates.
    void ProbeBurner();
    // The main dialog's timer handler: probes on timer 1, ignores the rest.
    void OnTimer(int timerId);
    // One exchange with the burner; code is CMD_FIRMWARE_VERSION,
    // CMD_DOWNLOAD, CMD_CHIP_CHECKSUM or CMD_BURNER_ID (others do nothing).
    // A download runs only while DownloadActive is set.
    void ExecuteBurnerCommand(uint8_t code);

    bool BurnerPresent() const { return burnerPresent_; }
    bool DownloadActive() const { return downloadActive_; }
    void SetDownloadActive(bool active) { downloadActive_ = active; }

    // ConnectPOD's result in the latest probe or exchange: kPodAccessDenied
    // means a burner is attached whose node this user may not open (the udev
    // rule easypod::kBurnerUdevRuleFile is missing).
    uint32_t LastConnectResult() const { return lastConnectResult_; }
    std::optional<ExchangeOutcome> LastOutcome() const { return lastOutcome_; }
    // How the latest exchange with this command code ended (the probe runs two).
    std::optional<ExchangeOutcome> OutcomeOf(uint8_t code) const;
    // Why the latest exchange failed, in the transport's words.
    std::string LastError() const { return record_.LastError(); }
    // The identity of the last burner-id reply.
    std::optional<uint32_t> BurnerId() const { return burnerId_; }
    // The last chip-checksum reply decoded whole.
    const std::optional<ChipChecksumReply>& LastChipChecksum() const { return chipChecksum_; }
    // Packets the burner accepted and refused packets sent again, in the
    // latest download.
    std::size_t PacketsAccepted() const { return packetsAccepted_; }
    std::size_t PacketsResent() const { return packetsResent_; }

    const BurnerPacket& Packet() const { return packet_; }

private:
    ExchangeOutcome RunFixedRequest(uint8_t code);
    ExchangeOutcome RunDownload();
    ExchangeOutcome EndDownloadFailed(ExchangeOutcome outcome, std::string_view message);
    // Reads a whole reply of length bytes into the packet.
    ExchangeOutcome ReadReply(std::size_t length);
    void EnableSettingsControls(const SettingsRules& rules);

    easypod::PodRecord record_;
    BurnerEvents& events_;
    LinkInputsSource inputs_;
    BurnerPacket packet_{};
    bool burnerPresent_ = false;
    bool downloadActive_ = false;
    uint32_t lastConnectResult_ = easypod::kPodNotFound;
    std::optional<ExchangeOutcome> lastOutcome_;
    std::array<std::optional<ExchangeOutcome>, CMD_BURNER_ID + 1> outcomeByCode_{};
    std::optional<uint32_t> burnerId_;
    std::optional<ChipChecksumReply> chipChecksum_;
    std::size_t packetsAccepted_ = 0;
    std::size_t packetsResent_ = 0;
};

}  // namespace tovrin::burner
