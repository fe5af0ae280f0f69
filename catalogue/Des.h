#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tovrin::catalogue {

inline constexpr std::size_t kDesBlockSize = 8;
using DesKey = std::array<uint8_t, 8>;

// DES (FIPS 46-3) in ECB mode. The subkeys are derived once per key; a block
// then costs sixteen rounds of table lookups.
class Des {
public:
    // The key's 64 bits in byte order, most significant bit first; the low
    // bit of each byte is the parity bit, which the standard ignores.
    explicit Des(const DesKey& key);

    void EncryptBlock(std::span<const uint8_t, kDesBlockSize> in,
                      std::span<uint8_t, kDesBlockSize> out) const;
    void DecryptBlock(std::span<const uint8_t, kDesBlockSize> in,
                      std::span<uint8_t, kDesBlockSize> out) const;

    // In place, block by block; a trailing partial block is left as it is.
    void EncryptEcb(std::span<uint8_t> data) const;
    void DecryptEcb(std::span<uint8_t> data) const;

private:
    // Two words per round, laid out for the round function (see Des.cpp).
    using Subkeys = std::array<uint32_t, 32>;

    static void Crypt(const Subkeys& subkeys, const uint8_t* in, uint8_t* out);

    Subkeys encryptKeys_{};
    Subkeys decryptKeys_{};
};

}  // namespace tovrin::catalogue
