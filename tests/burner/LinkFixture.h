#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "burner/BurnerLink.h"
#include "burner/RecordingEvents.h"
#include "burnersim/BurnerFirmware.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/easypod/FaultyTransport.h"

namespace tovrin::burner::testing {

// Recording events that can look at the world the moment the progress
// window is hidden or a message box is shown.
class ObservingEvents : public RecordingEvents {
public:
    std::function<void()> onHideProgress;
    void HideProgress() override {
        RecordingEvents::HideProgress();
        if (onHideProgress) onHideProgress();
    }
};

// Counting bytes, so that every packet's data is told apart.
std::vector<uint8_t> Bytes(std::size_t count, uint8_t seed);

// A request block parsed back from the simulator's log line.
std::vector<uint8_t> FromHex(const std::string& line);

// The link on the in-process simulator behind a fault injector.
class LinkFixture : public ::testing::Test {
protected:
    LinkFixture();

    void Download();
    // Request blocks the firmware received with the given command code.
    std::vector<std::vector<uint8_t>> Requests(uint8_t code) const;
    // Index of the first recorded call that begins with prefix, or -1.
    int CallIndex(std::string_view prefix) const;
    bool Called(std::string_view prefix) const { return CallIndex(prefix) >= 0; }

    burnersim::BurnerFirmware firmware;
    burnersim::SimulatorTransport simulator{firmware};
    easypod::FaultyTransport device{simulator};
    ObservingEvents events;
    std::vector<std::string> requestLog;

    std::vector<uint8_t> image = Bytes(2128, 0);
    std::vector<uint8_t> pattern;
    std::vector<uint8_t> pattern2;
    bool sourceLoaded = true;
    SettingsRules rules{};
    BurnerLink link{device, events, [this] {
                        return LinkInputs{image, pattern, pattern2, sourceLoaded, rules};
                    }};
};

}  // namespace tovrin::burner::testing
