// One table of cases that every transport must pass: hidapi (its calls
// wrapped), the simulator daemon's socket, the in-process simulator and the
// fault wrapper around it.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "burner/Protocol.h"
#include "burnersim/SimulatorBackend.h"
#include "burnersim/SimulatorDaemon.h"
#include "platform/easypod/EasyPod.h"
#include "platform/easypod/SocketTransport.h"
#include "platform/easypod/hidapi/HidapiTransport.h"
#include "tests/easypod/FakeHidapi.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::easypod {
namespace {

using namespace std::chrono_literals;
using tovrin::testing::FakeHidapi;

const HidDeviceMatch kBurner{kBurnerVendorId, kBurnerProductId, 1};
constexpr auto kShortWait = 20ms;

HidReport IdRequest() {
    burner::BurnerPacket packet{};
    packet[burner::kStartOffset] = burner::kRequestStartByte;
    packet[burner::kCommandOffset] = burner::CMD_BURNER_ID;
    burner::BuildFixedRequest(packet, burner::CMD_BURNER_ID);
    return packet;
}

// A transport with a burner model behind it, and a way to pull it out.
class Rig {
public:
    virtual ~Rig() = default;
    virtual HidTransport& Transport() = 0;
    // False where the transport has no cable to pull.
    virtual bool Unplug() = 0;
};

class HidapiRig final : public Rig {
public:
    HidapiRig() {
        FakeHidapi::Reset();
        FakeHidapi::Instance().Attach("/dev/hidraw0");
    }
    HidTransport& Transport() override { return transport_; }
    bool Unplug() override {
        FakeHidapi::Instance().Detach("/dev/hidraw0");
        return true;
    }

private:
    HidapiTransport transport_;
};

class SimulatorRig final : public Rig {
public:
    HidTransport& Transport() override { return simulator_; }
    bool Unplug() override { return false; }

private:
    burnersim::BurnerFirmware firmware_;
    burnersim::SimulatorTransport simulator_{firmware_};
};

class FaultRig final : public Rig {
public:
    HidTransport& Transport() override { return burner_->Transport(); }
    bool Unplug() override {
        burner_->Faults().Unplug();
        return true;
    }

private:
    std::unique_ptr<burnersim::SimulatedBurner> burner_ = std::move(*burnersim::SimulatedBurner::Make({}));
};

class SocketRig final : public Rig {
public:
    SocketRig() {
        burnersim::DaemonOptions options;
        options.socketPath = socket_;
        daemon_ =
            std::thread([this, options] { burnersim::ServeBurner(options, burner_->Transport(), stop_); });
        for (int attempt = 0; attempt < 200 && !std::filesystem::exists(socket_); ++attempt)
            std::this_thread::sleep_for(10ms);
    }
    ~SocketRig() override { Unplug(); }
    HidTransport& Transport() override { return transport_; }
    bool Unplug() override {
        stop_ = true;
        if (daemon_.joinable()) daemon_.join();
        return true;
    }

private:
    tovrin::testing::TempDirectory dir_;
    std::filesystem::path socket_ = dir_ / "burner.sock";
    std::unique_ptr<burnersim::SimulatedBurner> burner_ = std::move(*burnersim::SimulatedBurner::Make({}));
    std::atomic<bool> stop_{false};
    std::thread daemon_;
    SocketTransport transport_{socket_};
};

struct RigKind {
    const char* name;
    std::function<std::unique_ptr<Rig>()> make;
};

const RigKind kRigs[] = {
    {"hidapi", [] { return std::make_unique<HidapiRig>(); }},
    {"socket", [] { return std::make_unique<SocketRig>(); }},
    {"simulator", [] { return std::make_unique<SimulatorRig>(); }},
    {"faults", [] { return std::make_unique<FaultRig>(); }},
};

// Reads until a reply arrives: the daemon answers from another thread.
HidReadStatus ReadReply(HidTransport& transport, HidReport& reply) {
    return transport.ReadReport(reply, 2000ms);
}

struct ContractCase {
    const char* name;
    std::function<void(Rig&)> check;
};

const ContractCase kCases[] = {
    {"OpensOnlyTheBurner",
     [](Rig& rig) {
         HidTransport& t = rig.Transport();
         EXPECT_EQ(t.Open({0x1234, kBurnerProductId, 1}), HidOpenStatus::NotFound);
         EXPECT_NE(t.LastError(), "");
         EXPECT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
     }},
    {"AnswersARequestWithItsReply",
     [](Rig& rig) {
         HidTransport& t = rig.Transport();
         ASSERT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
         ASSERT_TRUE(t.WriteReport(IdRequest(), 5000ms));
         HidReport reply{};
         ASSERT_EQ(ReadReply(t, reply), HidReadStatus::Received);
         burner::BurnerPacket packet{};
         std::copy(reply.begin(), reply.end(), packet.begin());
         EXPECT_EQ(burner::DecodeBurnerId(packet), burnersim::kDefaultBurnerId);
     }},
    {"ReadWithNothingWaitingTimesOut",
     [](Rig& rig) {
         HidTransport& t = rig.Transport();
         ASSERT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
         HidReport reply{};
         EXPECT_EQ(t.ReadReport(reply, kShortWait), HidReadStatus::TimedOut);
         EXPECT_NE(t.LastError(), "");
     }},
    {"DiscardDropsEveryWaitingReply",
     [](Rig& rig) {
         HidTransport& t = rig.Transport();
         ASSERT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
         ASSERT_TRUE(t.WriteReport(IdRequest(), 5000ms));
         ASSERT_TRUE(t.WriteReport(IdRequest(), 5000ms));
         // The daemon answers from its own thread: wait for both replies.
         std::size_t discarded = 0;
         for (int attempt = 0; attempt < 200 && discarded < 2; ++attempt) {
             discarded += t.DiscardWaitingReports();
             if (discarded < 2) std::this_thread::sleep_for(10ms);
         }
         EXPECT_EQ(discarded, 2u);
         HidReport reply{};
         EXPECT_EQ(t.ReadReport(reply, kShortWait), HidReadStatus::TimedOut);
     }},
    {"ClosedDeviceRefusesReportsUntilOpenedAgain",
     [](Rig& rig) {
         HidTransport& t = rig.Transport();
         ASSERT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
         t.Close();
         HidReport reply{};
         EXPECT_FALSE(t.WriteReport(IdRequest(), 5000ms));
         EXPECT_EQ(t.ReadReport(reply, kShortWait), HidReadStatus::Failed);
         EXPECT_NE(t.LastError(), "");
         ASSERT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
         ASSERT_TRUE(t.WriteReport(IdRequest(), 5000ms));
         EXPECT_EQ(ReadReply(t, reply), HidReadStatus::Received);
     }},
    {"UnpluggedDeviceFailsAndIsNotFound",
     [](Rig& rig) {
         HidTransport& t = rig.Transport();
         ASSERT_EQ(t.Open(kBurner), HidOpenStatus::Opened);
         if (!rig.Unplug()) GTEST_SKIP() << "no cable to pull";
         HidReport reply{};
         EXPECT_FALSE(t.WriteReport(IdRequest(), 5000ms));
         EXPECT_NE(t.LastError(), "");
         EXPECT_EQ(t.ReadReport(reply, kShortWait), HidReadStatus::Failed);
         EXPECT_NE(t.LastError(), "");
         t.Close();
         EXPECT_EQ(t.Open(kBurner), HidOpenStatus::NotFound);
     }},
};

void PrintTo(const RigKind& kind, std::ostream* out) {
    *out << kind.name;
}

void PrintTo(const ContractCase& contract, std::ostream* out) {
    *out << contract.name;
}

class TransportContract : public ::testing::TestWithParam<std::tuple<RigKind, ContractCase>> {};

TEST_P(TransportContract, Holds) {
    const auto& [kind, contract] = GetParam();
    auto rig = kind.make();
    contract.check(*rig);
}

INSTANTIATE_TEST_SUITE_P(EveryTransport, TransportContract,
                         ::testing::Combine(::testing::ValuesIn(kRigs), ::testing::ValuesIn(kCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace tovrin::easypod
