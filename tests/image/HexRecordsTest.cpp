#include "image/HexRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrin::image {
namespace {

constexpr uint8_t kUntouched = 0xEE;

struct Parsed {
    std::vector<uint8_t> image;
    HexParseSummary summary;

    std::vector<uint8_t> Code(std::size_t count) const {
        return {image.begin() + 80, image.begin() + 80 + static_cast<std::ptrdiff_t>(count)};
    }
};

Parsed Parse(std::string_view text, std::size_t imageBytes = 96) {
    Parsed p{std::vector<uint8_t>(imageBytes, kUntouched), {}};
    p.summary = StoreHexRecords(text, p.image);
    return p;
}

using Bytes = std::vector<uint8_t>;
constexpr uint8_t E = kUntouched;
using namespace std::string_literals;

TEST(HexRecords, StoresRecordsAsTheLoaderReadsThem) {
    struct Case {
        const char* what;
        std::string text;
        Bytes firstCodeBytes;
        std::size_t dataRecords;
        std::size_t badChecksums;
    };
    const Case cases[] = {
        {"data record", ":0400000001020304F2\r\n:00000001FF\r\n", {1, 2, 3, 4, E}, 1, 0},
        {"end of file only", ":00000001FF\r\n", {E, E}, 0, 0},
        {"lower-case digits", ":04000000deadbeefc4\n", {0xDE, 0xAD, 0xBE, 0xEF}, 1, 0},
        {"no colon", "0400000001020304F2\n", {1, 2, 3, 4}, 1, 0},
        {"no line ends", ":020000001122CB:02000200334485", {0x11, 0x22, 0x33, 0x44}, 2, 0},
        {"type 04 counts as data", ":020000040000FA\n", {0x00, 0x00, E}, 1, 0},
        {"later record overwrites", ":020000040000FA\n:02000000ABCD86\n", {0xAB, 0xCD}, 2, 0},
        {"address offset", ":02000200AABB97\n", {E, E, 0xAA, 0xBB, E}, 1, 0},
        {"wrong checksum still stores", ":0400000001020304F3\n", {1, 2, 3, 4}, 1, 1},
        {"non-hex character inside a record", ":02000000G1229B\n", {0x01, 0x22}, 1, 1},
        {"stops at the end-of-file record", ":00000001FF\n:010000007788\n", {E}, 0, 0},
        {"stops at the first zero byte", ":01000000AA55\n\0:01000100BB43\n"s, {0xAA, E}, 1, 0},
        {"truncated last record ends quietly", ":01000000AA55\n:04000100112233", {0xAA, E, E}, 1, 0},
        {"record cut inside its prefix", ":01000000AA55\n:0400", {0xAA, E}, 1, 0},
        {"checksum cut off", ":020000001122", {E, E}, 0, 0},
        {"trailing text without digits", ":01000000AA55\n\r\n;;;;;;;;;;;;\r\n", {0xAA, E}, 1, 0},
    };
    for (const Case& c : cases) {
        const Parsed p = Parse(c.text);
        EXPECT_EQ(p.Code(c.firstCodeBytes.size()), c.firstCodeBytes) << c.what;
        EXPECT_EQ(p.summary.dataRecords, c.dataRecords) << c.what;
        EXPECT_EQ(p.summary.badChecksumRecords, c.badChecksums) << c.what;
    }
}

TEST(HexRecords, BytesPastTheImageAreDropped) {
    // Code area of 4 bytes; the record writes 6 from address 1.
    const Parsed p = Parse(":06000100010203040506E4\n", 84);
    EXPECT_EQ(p.Code(4), (Bytes{E, 1, 2, 3}));
    EXPECT_EQ(p.image.size(), 84u);
}

TEST(HexRecords, AddressBeyondTheImageWritesNothing) {
    const Parsed p = Parse(":02FFFE00AABB9C\n", 96);
    EXPECT_EQ(p.image, std::vector<uint8_t>(96, kUntouched));
}

TEST(HexRecords, NegativeAddressStops) {
    // A character below '0' in the address field makes it negative.
    const Parsed p = Parse(":01!00000AA55\n:01000000BB44\n");
    EXPECT_EQ(p.Code(1), Bytes{E});
    EXPECT_EQ(p.summary.dataRecords, 0u);
}

TEST(HexRecords, HeaderBytesAreNeverWritten) {
    const Parsed p = Parse(":10000000000102030405060708090A0B0C0D0E0F78\n", 80);
    EXPECT_EQ(p.image, std::vector<uint8_t>(80, kUntouched));
}

}  // namespace
}  // namespace tovrin::image

namespace tovrin::image {
namespace {

// Files as toolchains write them: the counts that a load warns about.
TEST(HexRecords, CountsWhatTheLoadWouldOtherwiseHideSilently) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t imageBytes;
        std::size_t beyond;
        std::size_t fromAddressRecords;
        std::size_t extended;
    };
    const Case cases[] = {
        {"plain data", ":0400000001020304F2\n:00000001FF\n", 96, 0, 0, 0},
        {"INHX32 with a zero upper address stays silent",
         ":020000040000FA\n:0400000001020304F2\n:00000001FF\n", 96, 0, 0, 0},
        {"data past the code area", ":06000100010203040506E4\n", 84, 3, 0, 0},
        // objcopy --set-start 0x1234: a start segment record after the data.
        {"entry point left in the code", ":0400000001020304F2\n:0400000300001234B3\n:00000001FF\n", 96, 0, 4,
         0},
        {"start record later overwritten", ":0400000505060708D8\n:0400000001020304F2\n:00000001FF\n", 96, 0,
         0, 0},
        // Configuration words at 0x300000 land on the first code words.
        {"INHX32 configuration above 64 KiB",
         ":020000040000FA\n:0400000001020304F2\n:020000040030CA\n:02000000AABB99\n:00000001FF\n", 96, 0, 0,
         2},
        {"extended segment address", ":020000021000EC\n:0400000001020304F2\n:00000001FF\n", 96, 0, 0, 4},
        {"address record partly overwritten", ":0400000300001234B3\n:020000001122CB\n", 96, 0, 2, 0},
    };
    for (const Case& c : cases) {
        const Parsed p = Parse(c.text, c.imageBytes);
        EXPECT_EQ(p.summary.bytesBeyondImage, c.beyond) << c.what;
        EXPECT_EQ(p.summary.addressRecordBytes, c.fromAddressRecords) << c.what;
        EXPECT_EQ(p.summary.extendedAddressBytes, c.extended) << c.what;
    }
}

}  // namespace
}  // namespace tovrin::image
