#include "burner/BurnerLink.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "image/ControlIds.h"
#include "image/Workbench.h"

namespace tovrin::burner {

namespace {

constexpr std::size_t kAddressSpace = 0x10000;

int ClampToInt(std::size_t value) {
    return static_cast<int>(std::min<std::size_t>(value, INT_MAX));
}

}  // namespace

LinkInputs LinkInputsFrom(const image::Workbench& workbench) {
    const auto& controls = workbench.Controls();
    return {workbench.ProgrammingImage(), workbench.TestPattern(), workbench.TestPattern2(),
            workbench.SourceLoaded(),
            SettingsRulesFor(workbench.PatternAllowsTest(), controls.rollingCodeEnabled,
                             workbench.SelectedChipName())};
}

BurnerLink::BurnerLink(easypod::HidTransport& transport, BurnerEvents& events, LinkInputsSource inputs)
    : record_(transport), events_(events), inputs_(std::move(inputs)) {}

void BurnerLink::OnTimer(int timerId) {
    if (timerId == control::kProbeTimerId) ProbeBurner();
}

void BurnerLink::ProbeBurner() {
    record_.SetBurnerFields();
    lastConnectResult_ = easypod::ConnectPOD(&record_, easypod::kBurnerDeviceIndex);
    if (lastConnectResult_ == easypod::kPodSuccess) {
        events_.SelectFirmwareVersion(0);
        events_.SetConnectionText(kConnectedText);
        easypod::DisconnectPOD(&record_);
        if (!burnerPresent_) {
            ExecuteBurnerCommand(CMD_FIRMWARE_VERSION);
            ExecuteBurnerCommand(CMD_BURNER_ID);
        }
        burnerPresent_ = true;
        events_.EnableButton(control::kDownloadButton, inputs_ ? inputs_().sourceLoaded : false);
        events_.EnableButton(control::kChipChecksumButton, true);
        return;
    }
    events_.ClearFirmwareVersions();
    if (burnerPresent_) {
        events_.SetConnectionText(kNotConnectedText);
        events_.ReportStatus(kNoBurnerConnected);
        events_.EnableButton(control::kDownloadButton, false);
        events_.EnableButton(control::kChipChecksumButton, false);
        EnableSettingsControls(inputs_ ? inputs_().settingsRules : SettingsRules{});
        downloadActive_ = false;
    }
    burnerPresent_ = false;
}

void BurnerLink::ExecuteBurnerCommand(uint8_t code) {
    if (code != CMD_DOWNLOAD && !FixedRequestFor(code)) return;
    packet_.fill(0);
    packet_[kStartOffset] = kRequestStartByte;
    packet_[kCommandOffset] = code;
    record_.SetBurnerFields();
    events_.StopTimer(control::kProbeTimerId);
    lastConnectResult_ = easypod::ConnectPOD(&record_, easypod::kBurnerDeviceIndex);
    if (lastConnectResult_ == easypod::kPodSuccess) {
        lastOutcome_ = code == CMD_DOWNLOAD ? RunDownload() : RunFixedRequest(code);
        downloadActive_ = false;
        easypod::DisconnectPOD(&record_);
    } else {
        lastOutcome_ = ExchangeOutcome::NotConnected;
    }
    outcomeByCode_[code] = lastOutcome_;
    events_.StartTimer(control::kProbeTimerId, control::kProbeTimerPeriodMs);
}

std::optional<ExchangeOutcome> BurnerLink::OutcomeOf(uint8_t code) const {
    return code < outcomeByCode_.size() ? outcomeByCode_[code] : std::nullopt;
}

ExchangeOutcome BurnerLink::ReadReply(std::size_t length) {
    uint32_t received = 0;
    const uint32_t status =
        easypod::ReadData(&record_, packet_.data(), static_cast<uint32_t>(length), &received);
    if (status == easypod::kPodSuccess && received == length) return ExchangeOutcome::Completed;
    return status == easypod::kPodTimedOut ? ExchangeOutcome::NoReply : ExchangeOutcome::Lost;
}

ExchangeOutcome BurnerLink::RunFixedRequest(uint8_t code) {
    const std::size_t replyLength = FixedRequestFor(code)->replyLength;
    if (code == CMD_CHIP_CHECKSUM) chipChecksum_.reset();
    const std::size_t requestLength = BuildFixedRequest(packet_, code);
    // A request that did not go out has no answer; whatever a read then
    // found would be shown as one.
    if (easypod::WriteData(&record_, packet_.data(), static_cast<uint32_t>(requestLength), nullptr) !=
        easypod::kPodSuccess)
        return ExchangeOutcome::WriteFailed;
    // Without a whole reply the buffer still holds the request: decoding it
    // would show the request's own bytes as the burner's answer.
    if (const ExchangeOutcome read = ReadReply(replyLength); read != ExchangeOutcome::Completed) return read;

    switch (code) {
        case CMD_FIRMWARE_VERSION:
            events_.AddFirmwareVersion(DecodeFirmwareVersion(packet_));
            events_.SelectFirmwareVersion(0);
            break;
        case CMD_BURNER_ID: {
            const uint32_t id = DecodeBurnerId(packet_);
            burnerId_ = id;
            events_.ReportStatus(FormatBurnerIdReport(id));
            events_.SetConnectionText(FormatConnectedWithId(id));
            break;
        }
        case CMD_CHIP_CHECKSUM:
            chipChecksum_ = DecodeChipChecksum(packet_);
            events_.ReportStatus(FormatChipChecksumReport(*chipChecksum_));
            break;
        default:
            break;
    }
    return ExchangeOutcome::Completed;
}

ExchangeOutcome BurnerLink::RunDownload() {
    const LinkInputs inputs = inputs_ ? inputs_() : LinkInputs{};
    const std::size_t imageBytes = inputs.image.size();
    const std::size_t imagePackets = (imageBytes + kBlockBytes - 1) / kBlockBytes;
    const std::size_t patternPackets = inputs.testPattern.size() / kBlockBytes;
    const std::size_t pattern2Packets = inputs.testPattern2.size() / kBlockBytes;
    const std::size_t totalPackets = imagePackets + patternPackets + pattern2Packets;
    packetsAccepted_ = 0;
    packetsResent_ = 0;
    if (totalPackets == 0 || !downloadActive_) return ExchangeOutcome::NothingSent;

    std::size_t index = 0;
    int resends = 0;
    while (downloadActive_) {
        if (index == 0) {
            events_.ShowProgress();
            events_.SetProgressTotal(ClampToInt(imagePackets));
        }
        if (index < imagePackets) events_.SetProgressPosition(ClampToInt(index));

        const bool lastImagePacket = index + 1 == imagePackets;
        std::span<const uint8_t> data;
        if (index < imagePackets) {
            const std::size_t tail = imageBytes % kBlockBytes;
            const std::size_t length = lastImagePacket && tail != 0 ? tail : kBlockBytes;
            data = inputs.image.subspan(index * kBlockBytes, length);
            if (lastImagePacket) events_.HideProgress();
        } else if (index < imagePackets + patternPackets) {
            data = inputs.testPattern.subspan((index - imagePackets) * kBlockBytes, kBlockBytes);
        } else {
            data = inputs.testPattern2.subspan((index - imagePackets - patternPackets) * kBlockBytes,
                                               kBlockBytes);
        }
        const auto address = static_cast<uint16_t>((index * kBlockBytes) % kAddressSpace);
        const std::size_t length = BuildDownloadPacket(packet_, address, data, lastImagePacket);

        if (easypod::WriteData(&record_, packet_.data(), static_cast<uint32_t>(length), nullptr) !=
            easypod::kPodSuccess)
            return EndDownloadFailed(ExchangeOutcome::WriteFailed, kUsbLostDuringDownload);

        // A missing or short reply leaves the request in the buffer, whose
        // byte 7 may be 0xE0 by chance: it is never an acknowledgement.
        if (const ExchangeOutcome read = ReadReply(kDownloadReplyLength); read != ExchangeOutcome::Completed)
            return EndDownloadFailed(
                read, read == ExchangeOutcome::Lost ? kUsbLostDuringDownload : kBurnerDidNotAnswer);

        if (IsPacketAccepted(packet_)) {
            ++packetsAccepted_;
            if (index + 1 == totalPackets) {
                events_.ReportStatus(kDownloadSucceeded);
                downloadActive_ = false;
                events_.EnableButton(control::kDownloadButton, true);
                EnableSettingsControls(inputs.settingsRules);
                return ExchangeOutcome::Completed;
            }
            ++index;
            resends = 0;
        } else if (resends == kMaxPacketResends) {
            return EndDownloadFailed(ExchangeOutcome::Refused, kBurnerKeptRefusing);
        } else {
            ++resends;
            ++packetsResent_;
        }
    }
    return ExchangeOutcome::NothingSent;
}

ExchangeOutcome BurnerLink::EndDownloadFailed(ExchangeOutcome outcome, std::string_view message) {
    events_.HideProgress();
    downloadActive_ = false;
    events_.ShowMessage(message);
    events_.EnableButton(control::kDownloadButton, true);
    return outcome;
}

void BurnerLink::EnableSettingsControls(const SettingsRules& rules) {
    const SettingsControlStates states = ReenabledSettingsControls(rules);
    events_.SetSettingsControls(states);
}

}  // namespace tovrin::burner
