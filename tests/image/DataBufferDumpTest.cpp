#include <gtest/gtest.h>

#include <vector>

#include "image/DataBufferDump.h"

namespace tovrin::image {
namespace {

TEST(DataBufferDump, ImageLinesHoldEightWordsLowByteFirst) {
    std::vector<uint8_t> image(80, 0);
    const uint8_t start[] = {0x51, 0x33, 0x4C, 0x38, 0x38, 0x58, 0x58, 0x05};
    std::copy(std::begin(start), std::end(start), image.begin());
    image[78] = 0xCD;
    image[79] = 0xAB;
    const std::string dump = ImageDumpText(image);
    EXPECT_EQ(dump.substr(0, 32), "0000:  3351  384C  5838  0558  0");
    const std::string zeros = " 0000  0000  0000  0000  0000  0000  0000  0000 ";
    EXPECT_EQ(dump,
              "0000:  3351  384C  5838  0558  0000  0000  0000  0000 \r\n"
              "0010: " +
                  zeros + "\r\n0020: " + zeros + "\r\n0030: " + zeros +
                  "\r\n0040:  0000  0000  0000  0000  0000  0000  0000  ABCD ");
}

TEST(DataBufferDump, OffsetsOfLargeImagesTakeMoreDigits) {
    const std::string dump = ImageDumpText(std::vector<uint8_t>(0x10010, 0xFF));
    EXPECT_NE(dump.find("\r\nFFF0:  FFFF"), std::string::npos);
    EXPECT_NE(dump.find("\r\n10000:  FFFF"), std::string::npos);
}

TEST(DataBufferDump, OptionBytesShowOneWordALine) {
    std::vector<uint8_t> bytes(32, 0);
    bytes[0] = 0xFB;
    bytes[1] = 0x3F;
    bytes[31] = 0x12;
    const std::string dump = OptionDumpText(bytes);
    EXPECT_EQ(dump.substr(0, 28), "0000:  3FFB \r\n0001:  0000 \r\n");
    EXPECT_EQ(dump.substr(dump.size() - 14), "000F:  1200 \r\n");
    EXPECT_EQ(dump.size(), 16u * 14);
}

TEST(DataBufferDump, ALoneLastByteShowsWithAZeroHighByte) {
    EXPECT_EQ(OptionDumpText(std::vector<uint8_t>{0xAB}), "0000:  00AB \r\n");
    EXPECT_EQ(ImageDumpText(std::vector<uint8_t>{}), "");
}

}  // namespace
}  // namespace tovrin::image
