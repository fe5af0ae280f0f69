#include "catalogue/Des.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tovrin::catalogue {
namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

DesKey KeyFromHex(const std::string& hex) {
    DesKey key{};
    const auto bytes = FromHex(hex);
    std::copy(bytes.begin(), bytes.end(), key.begin());
    return key;
}

struct KnownAnswer {
    const char* key;
    const char* plaintext;
    const char* ciphertext;
};

// Standard known answers: the worked example, the first and last entries of
// the variable-plaintext and a variable-key test, and others from the
// classic validation sets (weak-key-like all-zero/all-one keys among them).
const KnownAnswer kKnownAnswers[] = {
    {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
    {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
    {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
    {"0101010101010101", "0000000000000001", "166B40B44ABA4BD6"},
    {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
    {"0E329232EA6D0D73", "8787878787878787", "0000000000000000"},
    {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
    {"0000000000000000", "0000000000000000", "8CA64DE9C1B123A7"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "7359B2163E4EDC58"},
    {"3000000000000000", "1000000000000001", "958E6E627A05557B"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "ED39D950FA74BCC4"},
    {"1111111111111111", "0123456789ABCDEF", "8A5AE1F81AB8F2DD"},
};

TEST(DesTest, KnownAnswersInBothDirections) {
    for (const auto& known : kKnownAnswers) {
        SCOPED_TRACE(std::string(known.key) + " " + known.plaintext);
        const Des des(KeyFromHex(known.key));
        const auto plaintext = FromHex(known.plaintext);
        const auto ciphertext = FromHex(known.ciphertext);

        std::vector<uint8_t> out(kDesBlockSize);
        des.EncryptBlock(std::span<const uint8_t, kDesBlockSize>(plaintext.data(), kDesBlockSize),
                         std::span<uint8_t, kDesBlockSize>(out.data(), kDesBlockSize));
        EXPECT_EQ(out, ciphertext);
        des.DecryptBlock(std::span<const uint8_t, kDesBlockSize>(ciphertext.data(), kDesBlockSize),
                         std::span<uint8_t, kDesBlockSize>(out.data(), kDesBlockSize));
        EXPECT_EQ(out, plaintext);
    }
}

TEST(DesTest, ParityBitsOfTheKeyAreIgnored) {
    // 0x01 and 0x00 differ only in the parity bit of every byte.
    const auto plaintext = FromHex("8000000000000000");
    std::vector<uint8_t> a = plaintext, b = plaintext;
    Des(KeyFromHex("0101010101010101")).EncryptEcb(a);
    Des(KeyFromHex("0000000000000000")).EncryptEcb(b);
    EXPECT_EQ(a, b);
}

TEST(DesTest, EcbTreatsBlocksAloneAndLeavesATrailingPartialBlock) {
    const Des des(KeyFromHex("133457799BBCDFF1"));
    std::vector<uint8_t> data = FromHex("0123456789ABCDEF0123456789ABCDEF112233");
    des.EncryptEcb(data);
    EXPECT_EQ(data, FromHex("85E813540F0AB40585E813540F0AB405112233"));
    des.DecryptEcb(data);
    EXPECT_EQ(data, FromHex("0123456789ABCDEF0123456789ABCDEF112233"));
}

}  // namespace
}  // namespace tovrin::catalogue
