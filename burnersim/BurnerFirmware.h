#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/easypod/HidTransport.h"

namespace tovrin::burnersim {

inline constexpr std::string_view kDefaultFirmwareVersion = "TOVRIN-SIM V1.00";
inline constexpr uint32_t kDefaultBurnerId = 0x20131002;
// Acknowledgement byte of a packet the model does not take.
inline constexpr uint8_t kPacketRefused = 0xE1;

struct FirmwareSettings {
    std::string firmwareVersion{kDefaultFirmwareVersion};
    uint32_t burnerId = kDefaultBurnerId;
    // Each download packet is refused this many times before it is taken.
    uint32_t refusalsPerPacket = 0;
    // The chip-checksum reply then disagrees with the image held, as a
    // burner whose memory lost the download would answer.
    bool wrongChecksum = false;
};

// Receives one log line per request block: its bytes as upper-case hex.
using RequestLog = std::function<void(std::string_view line)>;

// The burner's firmware as far as the host can tell: every report written
// to it is one request block, answered with at most one reply report.
class BurnerFirmware {
public:
    explicit BurnerFirmware(FirmwareSettings settings = {});

    void SetRequestLog(RequestLog log) { log_ = std::move(log); }
    FirmwareSettings& Settings() { return settings_; }

    // The reply to a request, or nullopt when the firmware stays silent (a
    // fixed request with a wrong check value, an unknown command or start byte).
    std::optional<easypod::HidReport> Receive(const easypod::HidReport& request);

    // The host closed the device: a download it had not finished is dropped,
    // and the next packet must start a new one at address 0.
    void EndSession();

    // The last image received whole (its end-marked packet taken) and the
    // pattern bytes that followed it, both test patterns in a row.
    const std::vector<uint8_t>& HeldImage() const { return heldImage_; }
    const std::vector<uint8_t>& HeldPatterns() const { return heldPatterns_; }

    uint64_t RequestsReceived() const { return requests_; }
    uint64_t PacketsAccepted() const { return accepted_; }
    uint64_t PacketsRefused() const { return refused_; }

private:
    easypod::HidReport AnswerFixed(const easypod::HidReport& request, uint8_t code) const;
    bool TakePacket(const easypod::HidReport& request, std::size_t dataLength);

    FirmwareSettings settings_;
    RequestLog log_;
    std::vector<uint8_t> receiving_;  // image of the download under way
    bool receivingPatterns_ = false;
    std::size_t nextPacket_ = 0;
    uint32_t refusalsOfThisPacket_ = 0;
    std::vector<uint8_t> heldImage_;
    std::vector<uint8_t> heldPatterns_;
    uint64_t requests_ = 0;
    uint64_t accepted_ = 0;
    uint64_t refused_ = 0;
};

// Upper-case hex of the bytes, no separators.
std::string HexLine(const uint8_t* bytes, std::size_t count);

}  // namespace tovrin::burnersim
