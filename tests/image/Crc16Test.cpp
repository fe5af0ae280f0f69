#include "image/Crc16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string_view>
#include <vector>

namespace tovrin::image {
namespace {

std::span<const uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Bit by bit, straight from the definition, to check the sliced tables against.
uint16_t BitwiseCrc16(std::span<const uint8_t> data) {
    uint16_t crc = 0xFFFF;
    for (uint8_t byte : data) {
        crc ^= static_cast<uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc =
                (crc & 0x8000) ? static_cast<uint16_t>((crc << 1) ^ 0x1021) : static_cast<uint16_t>(crc << 1);
        }
    }
    return crc;
}

TEST(Crc16, CheckValueOfTheStandardText) {
    EXPECT_EQ(Crc16(Bytes("123456789")), 0x29B1);
}

TEST(Crc16, EmptyInputGivesTheInitialValue) {
    EXPECT_EQ(Crc16({}), 0xFFFF);
    EXPECT_EQ(Crc16(std::span<const uint8_t>(static_cast<const uint8_t*>(nullptr), 0)), 0xFFFF);
}

TEST(Crc16, TableEntries) {
    const auto& table = Crc16Table();
    EXPECT_EQ(table[0], 0x0000);
    EXPECT_EQ(table[1], 0x1021);
    EXPECT_EQ(table[2], 0x2042);
    EXPECT_EQ(table[255], 0x1EF0);
}

TEST(Crc16, MatchesTheBitwiseDefinitionAtEveryLengthAndAlignment) {
    std::mt19937 random(7);
    std::vector<uint8_t> buffer(300);
    for (uint8_t& b : buffer) b = static_cast<uint8_t>(random());
    for (std::size_t offset = 0; offset < 8; ++offset) {
        for (std::size_t length = 0; length + offset <= 80; ++length) {
            const std::span<const uint8_t> piece(buffer.data() + offset, length);
            ASSERT_EQ(Crc16(piece), BitwiseCrc16(piece)) << "offset " << offset << " length " << length;
        }
    }
    EXPECT_EQ(Crc16(buffer), BitwiseCrc16(buffer));
}

TEST(Crc16, UpdateContinuesOverPieces) {
    const auto whole = Bytes("123456789abcdefghijklmnop");
    for (std::size_t split = 0; split <= whole.size(); ++split) {
        EXPECT_EQ(Crc16Update(Crc16(whole.first(split)), whole.subspan(split)), Crc16(whole)) << split;
    }
}

TEST(Crc16, AfterZerosIsFeedingZeroBytes) {
    const std::size_t lengths[] = {0, 1, 2, 3, 7, 8, 9, 255, 256, 257, 4096, 65535, 70001};
    const uint16_t registers[] = {0x0000, 0xFFFF, 0x0001, 0x8000, 0x29B1};
    for (uint16_t crc : registers) {
        for (std::size_t n : lengths) {
            EXPECT_EQ(Crc16AfterZeros(crc, n), Crc16Update(crc, std::vector<uint8_t>(n, 0)))
                << "register " << crc << " length " << n;
        }
    }
}

TEST(Crc16, FrontAndTailPutTogether) {
    std::mt19937 random(11);
    std::vector<uint8_t> tail(3000);
    for (uint8_t& b : tail) b = static_cast<uint8_t>(random());
    const uint16_t fronts[] = {0xFFFF, 0x0000, Crc16(Bytes("123456789"))};
    for (uint16_t front : fronts) {
        for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{31}, tail.size()}) {
            const auto piece = std::span<const uint8_t>(tail).first(length);
            EXPECT_EQ(Crc16AfterZeros(front, length) ^ Crc16Update(0, piece), Crc16Update(front, piece))
                << "front " << front << " length " << length;
        }
    }
}

}  // namespace
}  // namespace tovrin::image
