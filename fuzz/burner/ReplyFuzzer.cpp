// The burner link against a device whose every reply is fuzz input: each
// record is one status byte (received, time-out or failure) and a 64-byte
// report. The link must end every exchange, read only inside its packet, and
// report a download as done only when every packet was acknowledged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "burner/BurnerLink.h"
#include "burner/RecordingEvents.h"
#include "platform/easypod/HidTransport.h"

namespace {

using tovrin::easypod::HidReadStatus;
using tovrin::easypod::HidReport;

class FuzzedDevice final : public tovrin::easypod::HidTransport {
public:
    FuzzedDevice(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    tovrin::easypod::HidOpenStatus Open(const tovrin::easypod::HidDeviceMatch&) override {
        return tovrin::easypod::HidOpenStatus::Opened;
    }
    bool WriteReport(const HidReport& report, std::chrono::milliseconds) override {
        lastWritten_ = report;
        answered_ = false;
        return true;
    }
    HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds timeout) override {
        if (offset_ >= size_) return HidReadStatus::TimedOut;
        const uint8_t status = data_[offset_++];
        report.fill(0);
        const std::size_t take = std::min(report.size(), size_ - offset_);
        std::memcpy(report.data(), data_ + offset_, take);
        offset_ += take;
        switch (status % 4) {
            case 1:
                return HidReadStatus::TimedOut;
            case 2:
                return HidReadStatus::Failed;
            default:
                break;
        }
        // The first reply read with a time-out after a download packet is
        // that packet's answer; replies thrown away before a write are not.
        if (timeout.count() > 0 && !answered_ && downloading_) {
            answered_ = true;
            if (report[tovrin::burner::kAcknowledgementOffset] == tovrin::burner::kPacketAccepted)
                acknowledged_.insert(lastWritten_[tovrin::burner::kAddressOffset] |
                                     lastWritten_[tovrin::burner::kAddressOffset + 1] << 8);
        }
        return HidReadStatus::Received;
    }
    void Close() override {}
    std::string LastError() const override { return {}; }

    // From here on every write is a download packet. Its command byte cannot
    // tell: the packet buffer keeps what the last reply left there.
    void StartDownload() { downloading_ = true; }

    // Addresses of the download packets the device acknowledged.
    const std::set<int>& Acknowledged() const { return acknowledged_; }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
    HidReport lastWritten_{};
    bool answered_ = true;
    bool downloading_ = false;
    std::set<int> acknowledged_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDevice device(data, size);
    tovrin::burner::RecordingEvents events;
    const std::vector<uint8_t> image(200, 0x3F);
    const std::vector<uint8_t> pattern(64, 0x01);
    tovrin::burner::BurnerLink link(device, events, [&] {
        return tovrin::burner::LinkInputs{image, pattern, {}, true, {}};
    });
    link.ProbeBurner();
    link.ExecuteBurnerCommand(tovrin::burner::CMD_CHIP_CHECKSUM);
    link.SetDownloadActive(true);
    device.StartDownload();
    link.ExecuteBurnerCommand(tovrin::burner::CMD_DOWNLOAD);
    // The firmware text is what lies between byte 7 and the packet's end.
    for (const auto& text : events.firmwareVersions)
        if (text.size() > tovrin::burner::kBurnerPacketSize - tovrin::burner::kFirmwareTextOffset)
            std::abort();
    if (link.DownloadActive()) std::abort();
    // Success only when all 9 packets (7 of the image, 2 of the pattern) were acknowledged.
    const std::size_t packets = (image.size() + 31) / 32 + pattern.size() / 32;
    if (link.LastOutcome() == tovrin::burner::ExchangeOutcome::Completed &&
        device.Acknowledged().size() != packets)
        std::abort();
    return 0;
}
