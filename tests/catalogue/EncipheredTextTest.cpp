#include "catalogue/EncipheredText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrin::catalogue {
namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string Decipher(std::string_view characters) {
    return DecipherDefinitionText(Bytes(characters));
}

// "ABCDEFGH" enciphered with the definition key, worked out with an
// independent DES implementation.
constexpr std::string_view kAbcdefghBlock = "626832E0088F2199";

struct DecodingCase {
    const char* label;
    std::string characters;
    std::string plaintext;
};

TEST(EncipheredTextTest, DecodesDigitsBlocksAndPartialBlocks) {
    const std::string block(kAbcdefghBlock);
    const DecodingCase cases[] = {
        {"no characters", "", ""},
        {"a single digit makes no byte", "1", ""},
        {"one whole block", block, "ABCDEFGH"},
        {"lower-case digits", "626832e0088f2199", "ABCDEFGH"},
        {"an odd digit after a whole block is dropped", block + "A", "ABCDEFGH"},
        // A partial block is completed with zeros and deciphered whole; of
        // AB 00 00 00 00 00 00 00 only the first byte (0x97) is kept.
        {"one block and one byte", block + "AB", "ABCDEFGH\x97"},
        // With an odd digit the completion starts with it as a high half:
        // AB C0 00 00 ... gives 0x8B first.
        {"one block, one byte and an odd digit", block + "ABC", "ABCDEFGH\x8B"},
        {"a lone partial block", "12", "*"},
        {"a lone partial block with an odd digit", "12C", "\x07"},
        // "AB" 00 "CDEFG" enciphered: the text ends at the zero byte.
        {"a zero byte inside", "6F828CFF76B5A479", "AB"},
        {"a zero byte first", "9D963DFDDCB98583", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(Decipher(c.characters), c.plaintext);
    }
}

TEST(EncipheredTextTest, ANonDigitCountsAsTheLowHalfOfItsCode) {
    // 'k' is 0x6B - 0x37 = 0x34 and so reads as 4; '@' is 0x40 - 0x30 = 0x10
    // and 'G' 0x47 - 0x37 = 0x10, both reading as 0.
    EXPECT_EQ(Decipher("6268k2E0088F2199"), Decipher("626842E0088F2199"));
    EXPECT_EQ(Decipher("626832E@088F2199"), Decipher("626832E0088F2199"));
    EXPECT_EQ(Decipher("626832EG088F2199"), Decipher("626832E0088F2199"));
}

TEST(EncipheredTextTest, OnlyTheFirst32768CharactersAreDecoded) {
    const std::string text(kMaxEncipheredCharacters / 2, 'x');
    const auto enciphered = EncipherDefinitionText(text);
    ASSERT_TRUE(enciphered.ok());
    ASSERT_EQ(enciphered->size(), kMaxEncipheredCharacters);
    EXPECT_EQ(Decipher(*enciphered + std::string(kAbcdefghBlock)), text);
}

TEST(EncipheredTextTest, PlainFormIsRecognisedByItsExactFirstNineBytes) {
    const struct {
        const char* bytes;
        bool plain;
    } cases[] = {
        {"[General]", true}, {"[General]\r\nSize=1", true}, {"[general]\r\n", false},
        {"[Genera", false},  {" [General]", false},         {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(IsPlainDefinition(Bytes(c.bytes)), c.plain);
    }
}

TEST(EncipheredTextTest, PlaintextOfAFileKeepsAPlainFileWhole) {
    std::string plain = "[General]\r\nChipID=1\r\n";
    plain.push_back('\0');
    plain += "[ROM]\r\nSize=8\r\n";
    EXPECT_EQ(DefinitionPlaintext(Bytes(plain)), plain);
    EXPECT_EQ(DefinitionPlaintext(Bytes(kAbcdefghBlock)), "ABCDEFGH");
}

TEST(EncipheredTextTest, EncipherWritesUpperCaseDigitsOfZeroPaddedBlocks) {
    // "[General]\r\nSize=1\r\n" and five zero bytes, enciphered independently.
    const auto enciphered = EncipherDefinitionText("[General]\r\nSize=1\r\n");
    ASSERT_TRUE(enciphered.ok());
    EXPECT_EQ(*enciphered, "BF5FADDA100DAC908C7A2F83A75F9702A2CA7E1429BF1FFB");
    EXPECT_EQ(*EncipherDefinitionText("ABCDEFGH"), kAbcdefghBlock);
    EXPECT_EQ(*EncipherDefinitionText(""), "");
}

TEST(EncipheredTextTest, EncipherRoundTripsEveryLength) {
    std::string text;
    for (int length = 0; length <= 40; ++length) {
        SCOPED_TRACE(length);
        const auto enciphered = EncipherDefinitionText(text);
        ASSERT_TRUE(enciphered.ok());
        EXPECT_EQ(Decipher(*enciphered), text);
        text.push_back(static_cast<char>('a' + length % 26));
    }
}

TEST(EncipheredTextTest, EncipherRefusesTextThatWouldNotComeBack) {
    EXPECT_FALSE(EncipherDefinitionText(std::string_view("a\0b", 3)).ok());
    EXPECT_FALSE(EncipherDefinitionText(std::string(kMaxEncipheredCharacters / 2 + 1, 'x')).ok());
}

}  // namespace
}  // namespace tovrin::catalogue
