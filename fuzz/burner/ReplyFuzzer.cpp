// The burner link against a device whose every reply is fuzz input: each
// record is one status byte (received, time-out or failure) and a 64-byte
// report. The link must end every exchange and read only inside its packet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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
    bool WriteReport(const HidReport&, std::chrono::milliseconds) override { return true; }
    HidReadStatus ReadReport(HidReport& report, std::chrono::milliseconds) override {
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
                return HidReadStatus::Received;
        }
    }
    void Close() override {}

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
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
    link.ExecuteBurnerCommand(tovrin::burner::CMD_DOWNLOAD);
    // The firmware text is what lies between byte 7 and the packet's end.
    for (const auto& text : events.firmwareVersions)
        if (text.size() > tovrin::burner::kBurnerPacketSize - tovrin::burner::kFirmwareTextOffset)
            std::abort();
    if (link.DownloadActive()) std::abort();
    return 0;
}
