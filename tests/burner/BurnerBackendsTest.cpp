#include "platform/easypod/BurnerBackends.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "burnersim/SimulatorBackend.h"

namespace tovrin::easypod {
namespace {

using ::testing::HasSubstr;

// A "usb" entry over a fixed set of attached burners, so the grammar is
// tested without hidapi; the real entry is tested with the hid_* calls wrapped.
BurnerBackendEntry FakeUsb() {
    auto resolve = [](std::string_view parameter) -> Result<std::vector<BurnerTarget>> {
        if (parameter.empty()) return std::vector<BurnerTarget>{{"usb", "", "", "usb"}};
        if (parameter == "*")
            return std::vector<BurnerTarget>{{"usb", "/dev/hidraw1", "/dev/hidraw1", "usb:/dev/hidraw1"},
                                             {"usb", "/dev/hidraw2", "/dev/hidraw2", "usb:/dev/hidraw2"}};
        if (parameter == "A1") return std::vector<BurnerTarget>{{"usb", "A1", "/dev/hidraw1", "usb:A1"}};
        if (parameter == "/dev/hidraw1")
            return std::vector<BurnerTarget>{{"usb", "/dev/hidraw1", "/dev/hidraw1", "usb:/dev/hidraw1"}};
        return Error{"no burner " + std::string(parameter)};
    };
    return {"usb", "usb, usb:SERIAL, usb:/dev/hidrawN, usb:*", resolve, {}, {}};
}

BurnerBackendTable Table() {
    return burnersim::MakeBurnerBackendTable(FakeUsb(), {});
}

std::vector<std::string> Labels(const std::vector<BurnerTarget>& targets) {
    std::vector<std::string> labels;
    for (const auto& target : targets) labels.push_back(target.label);
    return labels;
}

TEST(BurnerSelectorTest, FormsAndListsResolveInOrder) {
    const struct {
        const char* text;
        std::vector<std::string> labels;
    } cases[] = {
        {"usb", {"usb"}},
        {"usb:A1", {"usb:A1"}},
        {"usb:/dev/hidraw1", {"usb:/dev/hidraw1"}},
        {"usb:*", {"usb:/dev/hidraw1", "usb:/dev/hidraw2"}},
        {"sim", {"sim"}},
        {"sim:/tmp/a.sock", {"sim:/tmp/a.sock"}},
        {"sim:/tmp/a.sock,sim:/tmp/b.sock,sim", {"sim:/tmp/a.sock", "sim:/tmp/b.sock", "sim"}},
        {"usb:*,sim", {"usb:/dev/hidraw1", "usb:/dev/hidraw2", "sim"}},
        {"usb,sim:/tmp/a.sock", {"usb", "sim:/tmp/a.sock"}},
    };
    const BurnerBackendTable table = Table();
    for (const auto& c : cases) {
        const auto targets = SelectBurners(c.text, table);
        ASSERT_TRUE(targets.ok()) << c.text << ": " << targets.error().message;
        EXPECT_EQ(Labels(*targets), c.labels) << c.text;
    }
}

TEST(BurnerSelectorTest, BadSelectorsSayWhy) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"",
         "an empty burner selector in \"\" (expected usb, usb:SERIAL, usb:/dev/hidrawN, usb:*, sim, "
         "sim:SOCKET)"},
        {"sim,",
         "an empty burner selector in \"\" (expected usb, usb:SERIAL, usb:/dev/hidrawN, usb:*, sim, "
         "sim:SOCKET)"},
        {"USB",
         "unknown burner backend \"USB\" (expected usb, usb:SERIAL, usb:/dev/hidrawN, usb:*, sim, "
         "sim:SOCKET)"},
        {"parallel-port:1",
         "unknown burner backend \"parallel-port:1\" (expected usb, usb:SERIAL, usb:/dev/hidrawN, usb:*, "
         "sim, "
         "sim:SOCKET)"},
        {"sim:", "\"sim:\" names no burner after the colon (expected sim, sim:SOCKET)"},
        {"usb:ZZ", "no burner ZZ"},
        {"sim,sim", "burner (in-process) is chosen twice: by \"sim\" and by \"sim\""},
        {"sim:/tmp/a.sock,sim:/tmp/../tmp/a.sock",
         "burner /tmp/a.sock is chosen twice: by \"sim:/tmp/a.sock\" and by \"sim:/tmp/../tmp/a.sock\""},
        {"usb:A1,usb:/dev/hidraw1",
         "burner /dev/hidraw1 is chosen twice: by \"usb:A1\" and by \"usb:/dev/hidraw1\""},
        {"usb:*,usb:A1", "burner /dev/hidraw1 is chosen twice: by \"usb:/dev/hidraw1\" and by \"usb:A1\""},
        {"usb,usb:A1",
         "\"usb\" may be any usb burner, so it cannot be listed with \"usb:A1\"; name each burner by itself"},
        {"sim:/tmp/a\x01", nullptr},  // control characters are the socket's business, not an error
    };
    const BurnerBackendTable table = Table();
    for (const auto& c : cases) {
        const auto targets = SelectBurners(c.text, table);
        if (c.message == nullptr) {
            EXPECT_TRUE(targets.ok()) << c.text;
            continue;
        }
        ASSERT_FALSE(targets.ok()) << c.text;
        EXPECT_EQ(targets.error().message, c.message) << c.text;
    }
}

TEST(BurnerSelectorTest, EmptyItemInTheMiddleShowsTheRestOfTheList) {
    const auto targets = SelectBurners("sim,,sim:/x", Table());
    ASSERT_FALSE(targets.ok());
    EXPECT_THAT(targets.error().message, HasSubstr("an empty burner selector in \",sim:/x\""));
}

TEST(BurnerSelectorTest, OptionThenEnvironmentThenTheFirstUsbBurner) {
    ::unsetenv(kBurnerSelectorVariable);
    EXPECT_EQ(BurnerSelectorText(""), "usb");
    EXPECT_EQ(BurnerSelectorText("sim"), "sim");
    ::setenv(kBurnerSelectorVariable, "sim:/tmp/x.sock,sim", 1);
    EXPECT_EQ(BurnerSelectorText(""), "sim:/tmp/x.sock,sim");
    EXPECT_EQ(BurnerSelectorText("usb:*"), "usb:*");
    ::setenv(kBurnerSelectorVariable, "", 1);
    EXPECT_EQ(BurnerSelectorText(""), "usb");
    ::unsetenv(kBurnerSelectorVariable);
}

TEST(BurnerSelectorTest, TableOpensTheSimulatorAndRefusesUnknownBackends) {
    const BurnerBackendTable table = Table();
    const auto targets = SelectBurners("sim", table);
    ASSERT_TRUE(targets.ok());
    auto connection = OpenBurner(targets->front(), table);
    ASSERT_TRUE(connection.ok()) << connection.error().message;
    EXPECT_EQ((*connection)->Transport().Open({0x0C00, 0x0311, 1}), HidOpenStatus::Opened);
    const auto unknown = OpenBurner({"lpt", "", "", "lpt"}, table);
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error().message, "no backend \"lpt\" in this program");
}

TEST(BurnerSelectorTest, AttachedBurnersAreDescribedWithEscapedSerials) {
    EXPECT_EQ(DescribeAttachedList({}), "no burner is attached");
    EXPECT_EQ(DescribeAttachedList(
                  {{"/dev/hidraw3", "AB\ncd", 1, "1.4", true}, {"/dev/hidraw5", "", 0, "", false}}),
              "attached: /dev/hidraw3 (serial AB\\x0Acd, bus 1 port 1.4), /dev/hidraw5 (no serial, not open "
              "to this "
              "user)");
}

}  // namespace
}  // namespace tovrin::easypod
