#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "burner/BurnerEvents.h"
#include "burner/BurnerLink.h"
#include "burner/ChipChecksumCheck.h"
#include "platform/easypod/HidTransport.h"

namespace tovrin::production {

// How one burner's part of a gang ended.
struct BurnerOutcome {
    bool present = false;  // it answered the probe
    bool ok = false;
    std::string message;
    std::optional<uint32_t> burnerId;
    std::optional<std::string> firmware;  // the burner's own 8-bit text
    std::size_t packets = 0;
    std::size_t resends = 0;
    std::chrono::milliseconds elapsed{0};
    std::optional<bool> verified;  // only when a comparison was asked for
    std::optional<burner::ChipChecksumReply> checksum;
};

// One burner of a gang: its own transport, events and link, and the image
// it is given. Nothing in it is shared with another member, so members run
// on threads of their own; the patterns they read are shared read-only.
class GangMember {
public:
    // The transport and events must outlive the member; neither may be
    // used by another thread while the member runs.
    GangMember(std::string selector, easypod::HidTransport& transport, burner::BurnerEvents& events);

    const std::string& Selector() const { return selector_; }
    const BurnerOutcome& Outcome() const { return outcome_; }

    // The image this burner is sent and the patterns that follow it.
    void SetInputs(std::vector<uint8_t> image, std::span<const uint8_t> testPattern,
                   std::span<const uint8_t> testPattern2);
    const std::vector<uint8_t>& Image() const { return image_; }

    // The probe as the main dialog's first one: identifies the burner.
    void Probe();
    // The download exchange, then with verify the chip-checksum read-back
    // compared with the image's header. Only for a member that answered.
    void Download(bool verify);
    // The chip-checksum read-back, compared with reference when given.
    void ReadChecksum(std::optional<std::span<const uint8_t>> reference);

private:
    void Verify(std::span<const uint8_t> reference);
    void Fail(std::string message);

    std::string selector_;
    std::unique_ptr<burner::BurnerEvents> events_;
    std::vector<uint8_t> image_;
    std::span<const uint8_t> testPattern_;
    std::span<const uint8_t> testPattern2_;
    std::unique_ptr<burner::BurnerLink> link_;
    BurnerOutcome outcome_;
};

// Runs work on every member at once, each on its own thread, and returns
// when all are done.
void RunOnEachMember(std::span<GangMember* const> members, const std::function<void(GangMember&)>& work);

// Why a link's latest exchange failed, in words for a person.
std::string OutcomeMessage(const std::optional<burner::ExchangeOutcome>& outcome);
// The link's latest outcome with the transport's reason where it failed on the way.
std::string Explained(const burner::BurnerLink& link);
// Why a probe found no burner.
std::string NoBurnerMessage(uint32_t connectResult, const std::string& reason);

}  // namespace tovrin::production
