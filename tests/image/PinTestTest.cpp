#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "image/PinTest.h"

namespace tovrin::image {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

constexpr std::size_t kEight = 0, kSixteen = 3, kThirtyTwo = 8;

// An OptionByteBuffer whose bytes 16..21 are the given ones, the rest 0x55.
std::vector<uint8_t> Buffer(std::vector<uint8_t> pinBytes) {
    std::vector<uint8_t> buffer(32, 0x55);
    std::copy(pinBytes.begin(), pinBytes.end(), buffer.begin() + 16);
    return buffer;
}

std::vector<uint8_t> PinBytes(const std::vector<uint8_t>& buffer) {
    return {buffer.begin() + 16, buffer.begin() + 22};
}

PinTestState Open(const std::vector<uint8_t>& buffer) {
    auto state = DecodePinTest(buffer);
    EXPECT_TRUE(state);
    return *state;
}

std::vector<int> Ticked(const PinTestState& state) {
    std::vector<int> pins;
    for (int pin = 1; pin <= 40; ++pin)
        if (state.pins[static_cast<std::size_t>(pin - 1)]) pins.push_back(pin);
    return pins;
}

std::vector<int> Enabled(const PinTestLayout& layout) {
    std::vector<int> pins;
    for (int pin = 1; pin <= 40; ++pin)
        if (layout.pinEnabled[static_cast<std::size_t>(pin - 1)]) pins.push_back(pin);
    return pins;
}

std::vector<int> PinsOfBottomRows(int rows) {
    std::vector<int> pins;
    for (int pin = 1; pin <= 40; ++pin)
        if (SocketRowOfPin(pin) > 20 - rows) pins.push_back(pin);
    return pins;
}

TEST(PinTestSocket, EveryPinHasItsOwnCheckBoxAndTheRowsPairPinKWith41MinusK) {
    std::set<int> ids;
    for (int pin = 1; pin <= 40; ++pin) ids.insert(PinCheckboxId(pin));
    EXPECT_EQ(ids.size(), 40u);
    EXPECT_EQ(PinCheckboxId(1), 1081);
    EXPECT_EQ(PinCheckboxId(40), 1101);
    EXPECT_EQ(PinCheckboxId(18), 1088);
    EXPECT_EQ(PinCheckboxId(23), 1073);
    EXPECT_EQ(PinCheckboxId(21), 1072);
    EXPECT_EQ(SocketRowOfPin(21), 20);
    EXPECT_EQ(PinCheckboxId(0), 0);
    EXPECT_EQ(PinCheckboxId(41), 0);
}

TEST(PinTestBytes, OpeningAndOkFollowTheStoredByteForms) {
    struct Case {
        const char* what;
        std::vector<uint8_t> stored;
        bool enabled;
        std::size_t pinCount;
        std::vector<int> ticked;
        std::vector<uint8_t> afterOk;
    };
    const Case cases[] = {
        {"off, bit 7 set",
         {0x12, 0x34, 0x56, 0x78, 0x9A, 0xFF},
         false,
         kOtherPinCount,
         {},
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"off, bit 7 clear",
         {0, 0, 0, 0, 0, 0x7F},
         false,
         kOtherPinCount,
         {},
         {0xFF, 0x3F, 0xFF, 0x3F, 0xFF, 0x7F}},
        {"on, 32 pins, none ticked",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x2D},
         true,
         kThirtyTwo,
         {},
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x2D}},
        {"on, 18 pins, bottom nine rows",
         {0xFF, 0xFF, 0x3F, 0x00, 0x00, 0x29},
         true,
         4,
         PinsOfBottomRows(9),
         {0xFF, 0xFF, 0x3F, 0x00, 0x00, 0x29}},
        {"a clear bit ticks its pin",
         {0xFE, 0xFF, 0xFF, 0xFF, 0x7F, 0xEE},
         true,
         9,
         {1, 21},
         {0xFE, 0xFF, 0xFF, 0xFF, 0x7F, 0xEE}},
        {"codes 11 to 15 mean other",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x63},
         true,
         kOtherPinCount,
         {},
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x6F}},
        {"bit 5 is always written",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x05},
         true,
         kEight,
         {},
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x25}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> buffer = Buffer(c.stored);
        PinTestState state = Open(buffer);
        EXPECT_EQ(state.enabled, c.enabled) << c.what;
        EXPECT_EQ(state.pinCount, c.pinCount) << c.what;
        EXPECT_EQ(Ticked(state), c.ticked) << c.what;
        ASSERT_TRUE(ComposePinTest(state, buffer)) << c.what;
        EXPECT_THAT(PinBytes(buffer), ElementsAreArray(c.afterOk)) << c.what;
        EXPECT_EQ(buffer[15], 0x55) << c.what;
        EXPECT_EQ(buffer[22], 0x55) << c.what;
    }
}

TEST(PinTestLayout, OffDisablesEveryControl) {
    PinTestState state = Open(Buffer({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    PinTestLayout layout = LayOutPinTest(state);
    EXPECT_FALSE(layout.radiosEnabled);
    EXPECT_TRUE(Enabled(layout).empty());
}

TEST(PinTestLayout, ThePinCountEnablesTheBottomRowsAndTheBodyGrowsUpward) {
    PinTestState state = Open(Buffer({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x2D}));
    PinTestLayout layout = LayOutPinTest(state);
    EXPECT_TRUE(layout.radiosEnabled);
    EXPECT_EQ(Enabled(layout), PinsOfBottomRows(16));
    EXPECT_TRUE(Ticked(state).empty()) << "opening never auto-selects";
    EXPECT_EQ(layout.chipBody, (catalogue::PixelRect{84, 342 - 240, 180, 342}));
    EXPECT_EQ(layout.notch, (catalogue::PixelRect{122, 102, 142, 112}));
}

TEST(PinTestLayout, EnablingThenChoosingACountTicksExactlyItsPins) {
    PinTestState state = Open(Buffer({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    SetPinTestEnabled(state, true);
    PinTestLayout layout = LayOutPinTest(state);
    EXPECT_EQ(state.pinCount, kOtherPinCount);
    EXPECT_TRUE(Ticked(state).empty());
    EXPECT_EQ(Enabled(layout).size(), 40u);

    ChoosePinCount(state, kEight);
    layout = LayOutPinTest(state);
    EXPECT_THAT(Ticked(state), ElementsAre(17, 18, 19, 20, 21, 22, 23, 24));
    EXPECT_EQ(Enabled(layout), Ticked(state));
    EXPECT_FALSE(state.autoSelect);
    EXPECT_EQ(layout.chipBody.top, 342 - 60);

    ChoosePinCount(state, kOtherPinCount);
    layout = LayOutPinTest(state);
    EXPECT_TRUE(Ticked(state).empty());
    EXPECT_EQ(Enabled(layout).size(), 40u);
}

TEST(PinTestLayout, UntickingTheTestClearsThePinsAndSelectsOther) {
    PinTestState state = Open(Buffer({0xFF, 0xFF, 0x3F, 0x00, 0x00, 0x29}));
    SetPinTestEnabled(state, false);
    EXPECT_EQ(state.pinCount, kOtherPinCount);
    EXPECT_TRUE(Ticked(state).empty());
}

TEST(PinTestBytes, OkWithSixteenPinsStoresTheInvertedCodeAndKeepsBitsSevenAndSix) {
    PinTestState state = Open(Buffer({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    SetPinTestEnabled(state, true);
    ChoosePinCount(state, kSixteen);
    LayOutPinTest(state);
    std::vector<uint8_t> buffer = Buffer({0, 0, 0, 0, 0, 0x40});
    ASSERT_TRUE(ComposePinTest(state, buffer));
    EXPECT_EQ(buffer[21], 0x40 | 0x20 | 0x08);
    EXPECT_THAT(PinBytes(buffer), ElementsAre(0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x68));
}

TEST(PinTestPins, TickingRefusesPinsWhoseBoxIsDisabled) {
    PinTestState state = Open(Buffer({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    const std::vector<int> one = {1};
    EXPECT_THAT(TickExactlyPins(state, one).error().message, HasSubstr("test is off"));
    SetPinTestEnabled(state, true);
    ChoosePinCount(state, kEight);
    LayOutPinTest(state);
    EXPECT_THAT(TickExactlyPins(state, one).error().message,
                HasSubstr("bottom 4 socket rows that a chip of 8 pins"));
    const std::vector<int> outside = {41};
    EXPECT_THAT(TickExactlyPins(state, outside).error().message, HasSubstr("not on the 40-pin socket"));
    EXPECT_EQ(Ticked(state).size(), 8u) << "a refusal changes nothing";
    const std::vector<int> two = {24, 17};
    ASSERT_TRUE(TickExactlyPins(state, two));
    EXPECT_THAT(Ticked(state), ElementsAre(17, 24));
}

TEST(PinTestBytes, ABufferShorterThan22BytesIsRefused) {
    std::vector<uint8_t> shortBuffer(21, 0);
    EXPECT_FALSE(DecodePinTest(shortBuffer));
    EXPECT_FALSE(ComposePinTest(PinTestState{}, shortBuffer));
    EXPECT_EQ(shortBuffer, std::vector<uint8_t>(21, 0));
}

}  // namespace
}  // namespace tovrin::image
