#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Readers of single hexadecimal digit characters. Each is one lookup in a
// 256-entry table, since some of them run once per character of a source file.
namespace tovrin::text {

namespace hex_detail {

inline constexpr int8_t kNotAHexDigit = -1;

constexpr std::array<int8_t, 256> MakeStrictTable() {
    std::array<int8_t, 256> table{};
    for (int code = 0; code < 256; ++code) {
        int8_t value = kNotAHexDigit;
        if (code >= '0' && code <= '9') value = static_cast<int8_t>(code - '0');
        if (code >= 'A' && code <= 'F') value = static_cast<int8_t>(code - 'A' + 10);
        if (code >= 'a' && code <= 'f') value = static_cast<int8_t>(code - 'a' + 10);
        table[static_cast<std::size_t>(code)] = value;
    }
    return table;
}

constexpr std::array<int16_t, 256> MakeLenientTable() {
    std::array<int16_t, 256> table{};
    for (int code = 0; code < 256; ++code) {
        const int upper = (code >= 'a' && code <= 'z') ? code - ('a' - 'A') : code;
        table[static_cast<std::size_t>(code)] =
            static_cast<int16_t>(upper <= '9' ? upper - 0x30 : upper - 0x37);
    }
    return table;
}

constexpr std::array<uint8_t, 256> MakeLenientNibbleTable() {
    std::array<uint8_t, 256> table{};
    for (int code = 0; code < 256; ++code) {
        const int value = code <= 0x40 ? code - 0x30 : code - 0x37;
        table[static_cast<std::size_t>(code)] = static_cast<uint8_t>(value & 0x0F);
    }
    return table;
}

inline constexpr std::array<int8_t, 256> kStrictTable = MakeStrictTable();
inline constexpr std::array<int16_t, 256> kLenientTable = MakeLenientTable();
inline constexpr std::array<uint8_t, 256> kLenientNibbleTable = MakeLenientNibbleTable();

constexpr std::size_t Index(char c) {
    return static_cast<unsigned char>(c);
}

}  // namespace hex_detail

// "0"-"9", "A"-"F" and "a"-"f", nothing else.
constexpr bool IsHexDigit(char c) {
    return hex_detail::kStrictTable[hex_detail::Index(c)] != hex_detail::kNotAHexDigit;
}

// Strict reader: the digit's value 0 to 15, or nothing for any other character.
constexpr std::optional<uint8_t> StrictHexDigit(char c) {
    const int8_t value = hex_detail::kStrictTable[hex_detail::Index(c)];
    if (value == hex_detail::kNotAHexDigit) return std::nullopt;
    return static_cast<uint8_t>(value);
}

// Lenient reader of HEX records and header section values, which reject no
// character: the code of the ASCII-upper-cased character minus 0x30 up to
// "9", minus 0x37 above. Real digits give 0 to 15; other characters give
// values from -48 to 200, which callers may rely on (a negative field).
constexpr int LenientHexDigit(char c) {
    return hex_detail::kLenientTable[hex_detail::Index(c)];
}

// Lenient reader of enciphered definition text: the low four bits of the code
// minus 0x30 up to 0x40 ("@"), minus 0x37 above, without upper-casing. It
// agrees with LenientHexDigit on every real digit of either case, not on
// ":" to "@".
constexpr uint8_t LenientHexNibble(char c) {
    return hex_detail::kLenientNibbleTable[hex_detail::Index(c)];
}

}  // namespace tovrin::text
