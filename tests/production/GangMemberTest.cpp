#include "production/GangMember.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <memory>
#include <sstream>

#include "burner/RecordingEvents.h"
#include "burnersim/BurnerFirmware.h"
#include "burnersim/SimulatorTransport.h"
#include "platform/easypod/FaultyTransport.h"
#include "production/AuditLog.h"
#include "production/OperationRecord.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::production {
namespace {

using ::testing::HasSubstr;

// One simulated burner: its firmware, its transport and its events.
struct SimulatedBurner {
    explicit SimulatedBurner(uint32_t id, uint32_t refusals = 0, bool wrongChecksum = false)
        : firmware(burnersim::FirmwareSettings{"FW", id, refusals, wrongChecksum}),
          member("sim:" + std::to_string(id), simulator, events) {}
    burnersim::BurnerFirmware firmware;
    burnersim::SimulatorTransport simulator{firmware};
    burner::RecordingEvents events;
    GangMember member;
};

// An image whose header carries its own checksums, as BuildHeader leaves it.
std::vector<uint8_t> SampleImage() {
    std::vector<uint8_t> image(2128);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7);
    return image;
}

TEST(GangMember, AFailingBurnerNeverStopsTheOthers) {
    SimulatedBurner good1(1), refusing(2, 1000), good2(3);
    const std::vector<uint8_t> pattern(592, 0x11);
    std::vector<GangMember*> gang = {&good1.member, &refusing.member, &good2.member};
    for (GangMember* m : gang) m->SetInputs(SampleImage(), pattern, {});

    RunOnEachMember(gang, [](GangMember& m) { m.Probe(); });
    RunOnEachMember(gang, [](GangMember& m) { m.Download(true); });

    for (SimulatedBurner* b : {&good1, &good2}) {
        const BurnerOutcome& o = b->member.Outcome();
        EXPECT_TRUE(o.ok) << o.message;
        EXPECT_EQ(o.message, "downloaded and verified");
        EXPECT_EQ(o.verified, true);
        EXPECT_EQ(o.packets, 67u + 18u);
        EXPECT_EQ(o.firmware, "FW");
        EXPECT_EQ(b->firmware.HeldImage(), SampleImage());
    }
    const BurnerOutcome& failed = refusing.member.Outcome();
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, "the burner kept refusing a packet");
    EXPECT_EQ(failed.verified, false);
    EXPECT_EQ(failed.packets, 0u);
    EXPECT_EQ(failed.resends, static_cast<std::size_t>(burner::kMaxPacketResends));
    EXPECT_EQ(failed.burnerId, 2u);

    // One record per burner, each whole.
    tovrin::testing::TempDirectory dir;
    auto log = AuditLog::Open(dir / "log.jsonl");
    ASSERT_TRUE(log);
    const OperationFacts facts{"download", "Q3L88", "fw.hex", std::string(64, '0')};
    for (GangMember* m : gang) ASSERT_TRUE(log->Append(MakeAuditRecord(facts, *m, m->Image(), std::nullopt)));
    const auto bytes = tovrin::testing::ReadAll(dir / "log.jsonl");
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> outcomes;
    for (std::string line; std::getline(lines, line);)
        outcomes.push_back(nlohmann::json::parse(line)["outcome"]);
    EXPECT_EQ(outcomes, (std::vector<std::string>{"ok", "failed", "ok"}));
}

TEST(GangMember, AVerifyMismatchIsAFailureNamingBothValues) {
    SimulatedBurner bent(7, 0, true);
    auto image = SampleImage();
    bent.member.SetInputs(image, {}, {});
    bent.member.Probe();
    bent.member.Download(true);
    const BurnerOutcome& o = bent.member.Outcome();
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.verified, false);
    char expected[96];
    std::snprintf(expected, sizeof expected, "QVB checksum: burner %02X%02X, image %02X%02X; ROM checksum",
                  image[31] ^ 0xFF, image[30] ^ 0xFF, image[31], image[30]);
    EXPECT_THAT(o.message, HasSubstr(expected));
    EXPECT_EQ(o.packets, 67u);  // it was downloaded, just not confirmed
}

TEST(GangMember, ChecksumComparesOnlyWhenGivenAReference) {
    SimulatedBurner b(9);
    auto image = SampleImage();
    b.member.SetInputs(image, {}, {});
    b.member.Probe();
    b.member.Download(false);
    ASSERT_TRUE(b.member.Outcome().ok);
    EXPECT_FALSE(b.member.Outcome().verified.has_value());

    b.member.ReadChecksum(std::span<const uint8_t>(image));
    EXPECT_TRUE(b.member.Outcome().ok);
    EXPECT_EQ(b.member.Outcome().verified, true);

    auto other = image;
    other[48] ^= 1;  // configuration word 0
    b.member.ReadChecksum(std::span<const uint8_t>(other));
    EXPECT_FALSE(b.member.Outcome().ok);
    EXPECT_THAT(b.member.Outcome().message, HasSubstr("configuration word 0: burner"));

    b.member.ReadChecksum(std::nullopt);
    EXPECT_TRUE(b.member.Outcome().ok);
    EXPECT_EQ(b.member.Outcome().checksum->qvbChecksum, image[30] | (image[31] << 8));
}

TEST(GangMember, AnAbsentBurnerFailsWithoutAnExchange) {
    SimulatedBurner b(1);
    easypod::FaultPlan unplugged;
    unplugged.unplugged = true;
    easypod::FaultyTransport absent(b.simulator, unplugged);
    burner::RecordingEvents events;
    GangMember member("usb:XYZ", absent, events);
    member.SetInputs(SampleImage(), {}, {});
    member.Probe();
    member.Download(true);
    EXPECT_FALSE(member.Outcome().present);
    EXPECT_FALSE(member.Outcome().ok);
    EXPECT_THAT(member.Outcome().message, HasSubstr("no burner answers"));
}

}  // namespace
}  // namespace tovrin::production
