#include "catalogue/EncipheredText.h"

#include <algorithm>
#include <vector>

#include "catalogue/Des.h"
#include "platform/text/HexText.h"

namespace tovrin::catalogue {

namespace {

constexpr std::size_t kMaxPlaintextBytes = kMaxEncipheredCharacters / 2;

const Des& DefinitionCipher() {
    static const Des cipher = [] {
        DesKey key{};
        std::copy(kDefinitionKey.begin(), kDefinitionKey.end(), key.begin());
        return Des(key);
    }();
    return cipher;
}

// Not a strict hexadecimal reader: any byte gives a digit, as the files'
// own reader has it, so that damaged text deciphers to nonsense rather than
// failing.
uint8_t DigitValue(uint8_t code) {
    const unsigned value = code <= 0x40 ? code - 0x30u : code - 0x37u;
    return static_cast<uint8_t>(value & 0x0F);
}

std::size_t RoundUpToBlock(std::size_t n) {
    return (n + kDesBlockSize - 1) / kDesBlockSize * kDesBlockSize;
}

}  // namespace

bool IsPlainDefinition(std::span<const uint8_t> fileBytes) {
    return fileBytes.size() >= kPlainDefinitionMarker.size() &&
           std::equal(kPlainDefinitionMarker.begin(), kPlainDefinitionMarker.end(), fileBytes.begin(),
                      [](char marker, uint8_t byte) { return static_cast<uint8_t>(marker) == byte; });
}

std::string DecipherDefinitionText(std::span<const uint8_t> fileBytes) {
    const std::size_t digitCount = std::min(fileBytes.size(), kMaxEncipheredCharacters);
    const std::size_t byteCount = digitCount / 2;

    // A partial last block is completed by the bytes after it: the half byte
    // of an odd last digit, then zeros.
    std::vector<uint8_t> cipher(RoundUpToBlock(byteCount), 0);
    for (std::size_t k = 0; k < byteCount; ++k)
        cipher[k] =
            static_cast<uint8_t>((DigitValue(fileBytes[2 * k]) << 4) | DigitValue(fileBytes[2 * k + 1]));
    if (digitCount % 2 == 1 && byteCount < cipher.size())
        cipher[byteCount] = static_cast<uint8_t>(DigitValue(fileBytes[digitCount - 1]) << 4);

    DefinitionCipher().DecryptEcb(cipher);

    const auto end = std::find(cipher.begin(), cipher.begin() + static_cast<std::ptrdiff_t>(byteCount), 0);
    return std::string(cipher.begin(), end);
}

std::string DefinitionPlaintext(std::span<const uint8_t> fileBytes) {
    if (IsPlainDefinition(fileBytes)) return std::string(fileBytes.begin(), fileBytes.end());
    return DecipherDefinitionText(fileBytes);
}

Result<std::string> EncipherDefinitionText(std::string_view plaintext) {
    if (plaintext.find('\0') != std::string_view::npos)
        return Error{"the text holds a zero byte, where reading it back would stop"};
    if (plaintext.size() > kMaxPlaintextBytes)
        return Error{"the text is " + std::to_string(plaintext.size()) + " bytes long; at most " +
                     std::to_string(kMaxPlaintextBytes) + " can be read back"};

    std::vector<uint8_t> blocks(RoundUpToBlock(plaintext.size()), 0);
    std::copy(plaintext.begin(), plaintext.end(), blocks.begin());
    DefinitionCipher().EncryptEcb(blocks);

    return text::UpperHexDigits(blocks);
}

}  // namespace tovrin::catalogue
