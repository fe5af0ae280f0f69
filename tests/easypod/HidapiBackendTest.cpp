#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/easypod/EasyPod.h"
#include "platform/easypod/hidapi/HidapiTransport.h"
#include "platform/easypod/hidapi/UsbBackend.h"
#include "tests/easypod/FakeHidapi.h"
#include "tests/support/TempDirectory.h"

namespace tovrin::easypod {
namespace {

using tovrin::testing::FakeHidapi;

const HidDeviceMatch kBurner{kBurnerVendorId, kBurnerProductId, 1};

class HidapiBackendTest : public ::testing::Test {
protected:
    void SetUp() override { FakeHidapi::Reset(); }
    FakeHidapi& fake = FakeHidapi::Instance();
    HidReport report{};
    const std::chrono::milliseconds timeout{5000};
};

TEST_F(HidapiBackendTest, OpensTheChosenBurner) {
    fake.Attach("/dev/hidraw1", L"AAA");
    fake.Attach("/dev/hidraw2", L"BBB");
    fake.Attach("/dev/hidraw3", L"CCC")->productId = 0x0312;  // not a burner
    const struct {
        HidapiDeviceChoice choice;
        uint32_t index;
        HidOpenStatus status;
        std::string error;
    } cases[] = {
        {{}, 1, HidOpenStatus::Opened, ""},
        {{}, 2, HidOpenStatus::Opened, ""},
        {{}, 3, HidOpenStatus::NotFound, "no burner is attached"},
        {{HidapiDeviceChoice::By::Path, "/dev/hidraw2"}, 1, HidOpenStatus::Opened, ""},
        {{HidapiDeviceChoice::By::Path, "/dev/hidraw3"},
         1,
         HidOpenStatus::NotFound,
         "burner /dev/hidraw3 is not attached"},
        {{HidapiDeviceChoice::By::Serial, "BBB"}, 1, HidOpenStatus::Opened, ""},
        {{HidapiDeviceChoice::By::Serial, "ZZZ"}, 1, HidOpenStatus::NotFound, "burner ZZZ is not attached"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice.value + "#" + std::to_string(c.index));
        HidapiTransport transport(c.choice);
        EXPECT_EQ(transport.Open({kBurnerVendorId, kBurnerProductId, c.index}), c.status);
        EXPECT_EQ(transport.LastError(), c.error);
    }
}

TEST_F(HidapiBackendTest, FailedOpenKeepsHidapisReason) {
    fake.Attach("/nonexistent/hidraw1");
    fake.openFails = true;
    fake.errorText = L"Permission denied";
    HidapiTransport transport;
    EXPECT_EQ(transport.Open(kBurner), HidOpenStatus::Failed);
    EXPECT_EQ(transport.LastError(), "cannot open /nonexistent/hidraw1: Permission denied");
}

TEST_F(HidapiBackendTest, ReportGoesOutBehindReportIdZero) {
    fake.Attach("/dev/hidraw1");
    HidapiTransport transport;
    ASSERT_EQ(transport.Open(kBurner), HidOpenStatus::Opened);
    HidReport sent{};
    sent[0] = 0x01;
    sent[63] = 0x7F;
    ASSERT_TRUE(transport.WriteReport(sent, timeout));
    ASSERT_EQ(fake.frames.size(), 1u);
    ASSERT_EQ(fake.frames[0].size(), 65u);
    EXPECT_EQ(fake.frames[0][0], 0x00);
    EXPECT_EQ(fake.frames[0][1], 0x01);
    EXPECT_EQ(fake.frames[0][64], 0x7F);
    transport.Close();
    transport.Close();
    EXPECT_EQ(fake.closes, 1);
}

TEST_F(HidapiBackendTest, ShortOrFailedWritesAreFailuresWithTheirReason) {
    fake.Attach("/dev/hidraw1");
    const struct {
        int result;
        std::string error;
    } cases[] = {
        {30, "short write: 30 of 65 bytes"},
        {0, "short write: 0 of 65 bytes"},
        {-1, "write failed: fake failure"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        fake.writeResult = c.result;
        HidapiTransport transport;
        PodRecord record(transport);
        record.SetBurnerFields();
        ASSERT_EQ(ConnectPOD(&record, kBurnerDeviceIndex), kPodSuccess);
        const uint8_t block[10] = {1};
        EXPECT_EQ(WriteData(&record, block, sizeof block, nullptr), kPodFailed);
        EXPECT_EQ(record.LastError(), c.error);
        DisconnectPOD(&record);
    }
}

TEST_F(HidapiBackendTest, ReadsTellTimeOutFromFailure) {
    fake.Attach("/dev/hidraw1");
    HidapiTransport transport;
    ASSERT_EQ(transport.Open(kBurner), HidOpenStatus::Opened);
    EXPECT_EQ(transport.ReadReport(report, std::chrono::milliseconds(250)), HidReadStatus::TimedOut);
    EXPECT_EQ(transport.LastError(), "no reply within 250 ms");
    EXPECT_EQ(fake.readTimeouts, std::vector<int>{250});
    fake.readFails = true;
    fake.errorText = L"No such device";
    EXPECT_EQ(transport.ReadReport(report, timeout), HidReadStatus::Failed);
    EXPECT_EQ(transport.LastError(), "read failed: No such device");
}

TEST(UsbLocationTest, BusAndPortsComeFromTheUsbDeviceInTheSysfsPath) {
    const struct {
        const char* path;
        int bus;
        const char* ports;
    } cases[] = {
        {"/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1.4/1-1.4:1.0/0003:0C00:0311.0005/hidraw/hidraw3",
         1, "1.4"},
        {"/sys/devices/pci0000:00/0000:00:14.0/usb3/3-2/3-2:1.0/0003:0C00:0311.0001", 3, "2"},
        {"/sys/devices/virtual/misc/uhid/0003:0C00:0311.0009", 0, ""},
        {"", 0, ""},
        {"/a/1-/b/-2/x-1.2/1-1.", 0, ""},
    };
    for (const auto& c : cases) {
        const UsbLocation location = UsbLocationFromSysfsPath(c.path);
        EXPECT_EQ(location.bus, c.bus) << c.path;
        EXPECT_EQ(location.ports, c.ports) << c.path;
    }
}

TEST_F(HidapiBackendTest, EnumerationListsBurnersWithLocationSerialAndAccess) {
    tovrin::testing::TempDirectory dir;
    const auto node = dir.Write("dev/hidraw7", "");  // a node this user may open
    const auto usbDevice = dir / "sys/devices/pci0/usb2/2-1/2-1.3/2-1.3:1.0/0003:0C00:0311.0002";
    std::filesystem::create_directories(usbDevice);
    std::filesystem::create_directories(dir / "sys/class/hidraw/hidraw7");
    std::filesystem::create_directory_symlink(usbDevice, dir / "sys/class/hidraw/hidraw7/device");
    fake.Attach(node.string(), L"SN-\u00C5\u4E2D\U0001F600");
    fake.Attach((dir / "dev/hidraw9").string());  // gone from /dev: may not be opened
    fake.Attach("/dev/hidraw4")->vendorId = 0x1234;

    const auto burners = ListUsbBurners(dir / "sys");
    ASSERT_EQ(burners.size(), 2u);
    EXPECT_EQ(burners[0],
              (AttachedBurner{node.string(), "SN-\xC3\x85\xE4\xB8\xAD\xF0\x9F\x98\x80", 2, "1.3", true}));
    EXPECT_EQ(burners[1], (AttachedBurner{(dir / "dev/hidraw9").string(), "", 0, "", false}));
}

TEST_F(HidapiBackendTest, UsbSelectorsResolveAgainstWhatIsAttached) {
    const BurnerBackendEntry usb = UsbBurnerBackend();
    auto none = usb.resolve("*");
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().message, "usb:* matches no burner: no burner is attached");

    fake.Attach("/dev/hidraw1", L"A1");
    fake.Attach("/dev/hidraw2", L"TWIN");
    fake.Attach("/dev/hidraw3", L"TWIN");
    const struct {
        const char* parameter;
        std::vector<BurnerTarget> targets;
        const char* error;
    } cases[] = {
        {"", {{"usb", "", "", "usb"}}, nullptr},
        {"*",
         {{"usb", "/dev/hidraw1", "/dev/hidraw1", "usb:/dev/hidraw1"},
          {"usb", "/dev/hidraw2", "/dev/hidraw2", "usb:/dev/hidraw2"},
          {"usb", "/dev/hidraw3", "/dev/hidraw3", "usb:/dev/hidraw3"}},
         nullptr},
        {"A1", {{"usb", "A1", "/dev/hidraw1", "usb:A1"}}, nullptr},
        {"/dev/hidraw2", {{"usb", "/dev/hidraw2", "/dev/hidraw2", "usb:/dev/hidraw2"}}, nullptr},
        {"/dev/hidraw8",
         {},
         "no burner at /dev/hidraw8; attached: /dev/hidraw1 (serial A1, not open to this user), /dev/hidraw2 "
         "(serial TWIN, not open to this user), /dev/hidraw3 (serial TWIN, not open to this user)"},
        {"B\x1b",
         {},
         "no burner has the serial \"B\\x1B\"; attached: /dev/hidraw1 (serial A1, not open to this user), "
         "/dev/hidraw2 (serial TWIN, not open to this user), /dev/hidraw3 (serial TWIN, not open to this "
         "user)"},
        {"TWIN",
         {},
         "usb:TWIN names 2 burners; choose one by its node: attached: /dev/hidraw1 (serial A1, not open to "
         "this "
         "user), /dev/hidraw2 (serial TWIN, not open to this user), /dev/hidraw3 (serial TWIN, not open to "
         "this "
         "user)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter);
        const auto resolved = usb.resolve(c.parameter);
        if (c.error != nullptr) {
            ASSERT_FALSE(resolved.ok());
            EXPECT_EQ(resolved.error().message, c.error);
        } else {
            ASSERT_TRUE(resolved.ok()) << resolved.error().message;
            EXPECT_EQ(*resolved, c.targets);
        }
    }
}

TEST_F(HidapiBackendTest, SerialTargetOpensItsBurnerWhereverItIsPlugged) {
    fake.Attach("/dev/hidraw1", L"A1");
    const BurnerBackendEntry usb = UsbBurnerBackend();
    auto connection = usb.open({"usb", "A1", "/dev/hidraw1", "usb:A1"});
    ASSERT_TRUE(connection.ok());
    fake.Detach("/dev/hidraw1");
    fake.Attach("/dev/hidraw5", L"A1");  // re-plugged on another node
    EXPECT_EQ((*connection)->Transport().Open(kBurner), HidOpenStatus::Opened);
}

}  // namespace
}  // namespace tovrin::easypod
