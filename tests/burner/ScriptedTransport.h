#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/easypod/HidTransport.h"

namespace tovrin::testing {

// A device that answers from a script: each written report is kept, each
// read takes the next scripted reply (nullopt: a time-out).
class ScriptedTransport : public easypod::HidTransport {
public:
    easypod::HidOpenStatus openStatus = easypod::HidOpenStatus::Opened;
    bool writesSucceed = true;
    std::deque<std::optional<easypod::HidReport>> replies;
    // When set, each written report queues the replies it gives, as a
    // burner answers after each request rather than from the start.
    std::function<std::vector<easypod::HidReport>(const easypod::HidReport&)> answer;
    std::vector<easypod::HidReport> written;
    std::vector<std::chrono::milliseconds> readTimeouts;
    int opens = 0;
    int closes = 0;
    bool open = false;

    easypod::HidOpenStatus Open(const easypod::HidDeviceMatch&) override {
        ++opens;
        open = openStatus == easypod::HidOpenStatus::Opened;
        return openStatus;
    }
    bool WriteReport(const easypod::HidReport& report, std::chrono::milliseconds) override {
        if (!writesSucceed) return false;
        written.push_back(report);
        if (answer)
            for (const auto& reply : answer(report)) replies.push_back(reply);
        return true;
    }
    easypod::HidReadStatus ReadReport(easypod::HidReport& report,
                                      std::chrono::milliseconds timeout) override {
        readTimeouts.push_back(timeout);
        if (replies.empty()) return easypod::HidReadStatus::TimedOut;
        const auto reply = replies.front();
        replies.pop_front();
        if (!reply) return easypod::HidReadStatus::TimedOut;
        report = *reply;
        return easypod::HidReadStatus::Received;
    }
    void Close() override {
        ++closes;
        open = false;
    }
    std::string LastError() const override { return writesSucceed ? "" : "scripted write failure"; }
};

}  // namespace tovrin::testing
