#include "production/GangMember.h"

#include <thread>
#include <utility>

#include "burner/BurnerCommands.h"
#include "burner/Protocol.h"
#include "platform/easypod/BurnerBackends.h"
#include "platform/easypod/EasyPod.h"

namespace tovrin::production {
namespace {

using burner::ExchangeOutcome;
using Clock = std::chrono::steady_clock;

// Passes everything on and keeps the firmware text the probe found.
class CapturingEvents final : public burner::BurnerEvents {
public:
    CapturingEvents(burner::BurnerEvents& inner, std::optional<std::string>& firmware)
        : inner_(inner), firmware_(firmware) {}
    void ReportStatus(std::string_view text) override { inner_.ReportStatus(text); }
    void AddFirmwareVersion(std::string_view text) override {
        firmware_ = std::string(text);
        inner_.AddFirmwareVersion(text);
    }
    void SelectFirmwareVersion(int index) override { inner_.SelectFirmwareVersion(index); }
    void ClearFirmwareVersions() override { inner_.ClearFirmwareVersions(); }
    void SetConnectionText(std::string_view text) override { inner_.SetConnectionText(text); }
    void ShowProgress() override { inner_.ShowProgress(); }
    void HideProgress() override { inner_.HideProgress(); }
    void SetProgressTotal(int total) override { inner_.SetProgressTotal(total); }
    void SetProgressPosition(int position) override { inner_.SetProgressPosition(position); }
    void ShowMessage(std::string_view text) override { inner_.ShowMessage(text); }
    bool AskYesNo(image::Question kind, std::string_view text) override {
        return inner_.AskYesNo(kind, text);
    }
    void EnableButton(int id, bool enabled) override { inner_.EnableButton(id, enabled); }
    void SetSettingsControls(std::span<const burner::ControlEnabling> states) override {
        inner_.SetSettingsControls(states);
    }
    void StopTimer(int timerId) override { inner_.StopTimer(timerId); }
    void StartTimer(int timerId, int periodMs) override { inner_.StartTimer(timerId, periodMs); }

private:
    burner::BurnerEvents& inner_;
    std::optional<std::string>& firmware_;
};

}  // namespace

std::string OutcomeMessage(const std::optional<ExchangeOutcome>& outcome) {
    if (!outcome) return "no exchange ran";
    switch (*outcome) {
        case ExchangeOutcome::Completed:
            return "completed";
        case ExchangeOutcome::NotConnected:
            return "the burner could not be opened";
        case ExchangeOutcome::NoReply:
            return "the burner did not answer in time";
        case ExchangeOutcome::Lost:
            return "the burner went away while it was answering";
        case ExchangeOutcome::WriteFailed:
            return "the request could not be sent";
        case ExchangeOutcome::Refused:
            return "the burner kept refusing a packet";
        case ExchangeOutcome::NothingSent:
            return "there was nothing to send";
    }
    return "failed";
}

std::string Explained(const burner::BurnerLink& link) {
    const auto outcome = link.LastOutcome();
    std::string text = OutcomeMessage(outcome);
    const bool transportFailed = outcome == ExchangeOutcome::NoReply || outcome == ExchangeOutcome::Lost ||
                                 outcome == ExchangeOutcome::WriteFailed ||
                                 outcome == ExchangeOutcome::NotConnected;
    if (const std::string reason = link.LastError(); transportFailed && !reason.empty())
        text += " (" + reason + ")";
    return text;
}

std::string NoBurnerMessage(uint32_t connectResult, const std::string& reason) {
    if (connectResult == easypod::kPodAccessDenied)
        return "a burner is attached but this user may not open its hidraw node; install the udev rule " +
               std::string(easypod::kBurnerUdevRuleFile) + " (cmake --install puts it in " +
               std::string(easypod::kUdevRulesDirectory) + "), then re-plug the burner";
    return reason.empty() ? "no burner answers" : "no burner answers (" + reason + ")";
}

GangMember::GangMember(std::string selector, easypod::HidTransport& transport, burner::BurnerEvents& events)
    : selector_(std::move(selector)) {
    events_ = std::make_unique<CapturingEvents>(events, outcome_.firmware);
    link_ = std::make_unique<burner::BurnerLink>(transport, *events_, [this] {
        return burner::LinkInputs{image_, testPattern_, testPattern2_, !image_.empty(), {}};
    });
}

void GangMember::SetInputs(std::vector<uint8_t> image, std::span<const uint8_t> testPattern,
                           std::span<const uint8_t> testPattern2) {
    image_ = std::move(image);
    testPattern_ = testPattern;
    testPattern2_ = testPattern2;
}

void GangMember::Fail(std::string message) {
    outcome_.ok = false;
    outcome_.message = std::move(message);
}

void GangMember::Probe() {
    link_->ProbeBurner();
    outcome_.present = link_->BurnerPresent();
    outcome_.burnerId = link_->BurnerId();
    if (!outcome_.present) Fail(NoBurnerMessage(link_->LastConnectResult(), link_->LastError()));
}

void GangMember::Download(bool verify) {
    if (!outcome_.present) return;
    const auto started = Clock::now();
    burner::StartDownload(*link_, *events_);
    outcome_.packets = link_->PacketsAccepted();
    outcome_.resends = link_->PacketsResent();
    const auto ended = link_->LastOutcome();
    if (ended == ExchangeOutcome::Completed) {
        outcome_.ok = true;
        outcome_.message = "downloaded";
        if (verify) Verify(std::span<const uint8_t>(image_));
    } else {
        Fail(Explained(*link_));
        if (verify) outcome_.verified = false;
    }
    outcome_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
}

void GangMember::ReadChecksum(std::optional<std::span<const uint8_t>> reference) {
    if (!outcome_.present) return;
    const auto started = Clock::now();
    link_->ExecuteBurnerCommand(burner::CMD_CHIP_CHECKSUM);
    outcome_.checksum = link_->LastChipChecksum();
    if (!outcome_.checksum) {
        Fail(Explained(*link_));
        if (reference) outcome_.verified = false;
    } else if (reference) {
        const auto differences = burner::CompareChipChecksum(*outcome_.checksum, *reference);
        outcome_.verified = differences.empty();
        outcome_.ok = differences.empty();
        outcome_.message = differences.empty() ? "the burner holds the image"
                                               : "the burner holds another image: " +
                                                     burner::DescribeDifferences(differences);
    } else {
        outcome_.ok = true;
        outcome_.message = "read back";
    }
    outcome_.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
}

void GangMember::Verify(std::span<const uint8_t> reference) {
    link_->ExecuteBurnerCommand(burner::CMD_CHIP_CHECKSUM);
    outcome_.checksum = link_->LastChipChecksum();
    outcome_.verified = false;
    if (!outcome_.checksum) {
        Fail("downloaded, but the checksum read-back failed: " + Explained(*link_));
        return;
    }
    const auto differences = burner::CompareChipChecksum(*outcome_.checksum, reference);
    if (!differences.empty()) {
        Fail("downloaded, but the burner's checksums disagree with the image: " +
             burner::DescribeDifferences(differences));
        return;
    }
    outcome_.verified = true;
    outcome_.message = "downloaded and verified";
}

void RunOnEachMember(std::span<GangMember* const> members, const std::function<void(GangMember&)>& work) {
    if (members.size() == 1) {
        work(*members[0]);
        return;
    }
    std::vector<std::jthread> threads;
    threads.reserve(members.size());
    for (GangMember* member : members) threads.emplace_back([member, &work] { work(*member); });
}

}  // namespace tovrin::production
