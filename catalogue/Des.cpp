#include "catalogue/Des.h"

#include <bit>

namespace tovrin::catalogue {

namespace {

// The tables of the standard, bit positions counted from 1 at the most
// significant end.
constexpr uint8_t kPermutedChoice1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
    35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
    46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4,
};

constexpr uint8_t kPermutedChoice2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32,
};

constexpr uint8_t kKeyRotations[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kPermutation[32] = {
    16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
    2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25,
};

// Each box as four rows of sixteen columns.
constexpr uint8_t kSBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11},
};

constexpr bool EveryRowIsAPermutation() {
    for (const auto& box : kSBoxes) {
        for (int row = 0; row < 4; ++row) {
            unsigned seen = 0;
            for (int column = 0; column < 16; ++column) seen |= 1u << box[row * 16 + column];
            if (seen != 0xFFFF) return false;
        }
    }
    return true;
}
static_assert(EveryRowIsAPermutation(), "an S-box row is mistyped");

constexpr uint32_t Permute32(uint32_t in) {
    uint32_t out = 0;
    for (int j = 0; j < 32; ++j) out |= ((in >> (32 - kPermutation[j])) & 1u) << (31 - j);
    return out;
}

// Box i and its permutation folded into one table, indexed by the six input
// bits as they appear in the expanded half. The halves are kept rotated left
// by one bit through the rounds, which lets every six-bit group of the
// expansion be cut out by a shift and a mask; the table entries are rotated
// the same way.
using SpTables = std::array<std::array<uint32_t, 64>, 8>;

constexpr SpTables MakeSpTables() {
    SpTables tables{};
    for (int box = 0; box < 8; ++box) {
        for (uint32_t input = 0; input < 64; ++input) {
            const uint32_t row = ((input >> 4) & 2u) | (input & 1u);
            const uint32_t column = (input >> 1) & 0xFu;
            const uint32_t output = kSBoxes[box][row * 16 + column];
            tables[box][input] = std::rotl(Permute32(output << (28 - 4 * box)), 1);
        }
    }
    return tables;
}

constexpr SpTables kSp = MakeSpTables();

constexpr uint64_t Select(uint64_t in, int inBits, const uint8_t* positions, int count) {
    uint64_t out = 0;
    for (int j = 0; j < count; ++j) out = (out << 1) | ((in >> (inBits - positions[j])) & 1u);
    return out;
}

constexpr uint32_t Rotate28(uint32_t half, int by) {
    return ((half << by) | (half >> (28 - by))) & 0x0FFFFFFFu;
}

uint32_t LoadBigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

void StoreBigEndian(uint32_t value, uint8_t* p) {
    p[0] = static_cast<uint8_t>(value >> 24);
    p[1] = static_cast<uint8_t>(value >> 16);
    p[2] = static_cast<uint8_t>(value >> 8);
    p[3] = static_cast<uint8_t>(value);
}

// Exchanges the bits of a selected by mask << shift with the bits of b
// selected by mask: the steps of which the initial permutation is made.
inline void SwapBits(uint32_t& a, uint32_t& b, int shift, uint32_t mask) {
    const uint32_t t = ((a >> shift) ^ b) & mask;
    b ^= t;
    a ^= t << shift;
}

inline uint32_t RoundFunction(uint32_t half, const uint32_t* key) {
    const uint32_t even = std::rotr(half, 4) ^ key[0];
    const uint32_t odd = half ^ key[1];
    return kSp[0][(even >> 24) & 0x3F] | kSp[2][(even >> 16) & 0x3F] | kSp[4][(even >> 8) & 0x3F] |
           kSp[6][even & 0x3F] | kSp[1][(odd >> 24) & 0x3F] | kSp[3][(odd >> 16) & 0x3F] |
           kSp[5][(odd >> 8) & 0x3F] | kSp[7][odd & 0x3F];
}

}  // namespace

Des::Des(const DesKey& key) {
    uint64_t keyBits = 0;
    for (uint8_t byte : key) keyBits = (keyBits << 8) | byte;
    const uint64_t permuted = Select(keyBits, 64, kPermutedChoice1, 56);
    uint32_t c = static_cast<uint32_t>(permuted >> 28) & 0x0FFFFFFFu;
    uint32_t d = static_cast<uint32_t>(permuted) & 0x0FFFFFFFu;

    for (int round = 0; round < 16; ++round) {
        c = Rotate28(c, kKeyRotations[round]);
        d = Rotate28(d, kKeyRotations[round]);
        const uint64_t subkey = Select((uint64_t{c} << 28) | d, 56, kPermutedChoice2, 48);
        // Six-bit group g feeds box g; the even boxes read one word, the odd the other.
        uint32_t even = 0;
        uint32_t odd = 0;
        for (int group = 0; group < 8; ++group) {
            const auto bits = static_cast<uint32_t>((subkey >> (42 - 6 * group)) & 0x3F);
            const int shift = 24 - 8 * (group / 2);
            (group % 2 == 0 ? even : odd) |= bits << shift;
        }
        encryptKeys_[2 * round] = even;
        encryptKeys_[2 * round + 1] = odd;
        decryptKeys_[2 * (15 - round)] = even;
        decryptKeys_[2 * (15 - round) + 1] = odd;
    }
}

void Des::Crypt(const Subkeys& subkeys, const uint8_t* in, uint8_t* out) {
    uint32_t left = LoadBigEndian(in);
    uint32_t right = LoadBigEndian(in + 4);

    SwapBits(left, right, 4, 0x0F0F0F0Fu);
    SwapBits(left, right, 16, 0x0000FFFFu);
    SwapBits(right, left, 2, 0x33333333u);
    SwapBits(right, left, 8, 0x00FF00FFu);
    right = std::rotl(right, 1);
    uint32_t t = (left ^ right) & 0xAAAAAAAAu;
    left ^= t;
    right ^= t;
    left = std::rotl(left, 1);

    const uint32_t* key = subkeys.data();
    for (int pair = 0; pair < 8; ++pair, key += 4) {
        left ^= RoundFunction(right, key);
        right ^= RoundFunction(left, key + 2);
    }

    right = std::rotr(right, 1);
    t = (left ^ right) & 0xAAAAAAAAu;
    left ^= t;
    right ^= t;
    left = std::rotr(left, 1);
    SwapBits(left, right, 8, 0x00FF00FFu);
    SwapBits(left, right, 2, 0x33333333u);
    SwapBits(right, left, 16, 0x0000FFFFu);
    SwapBits(right, left, 4, 0x0F0F0F0Fu);

    StoreBigEndian(right, out);
    StoreBigEndian(left, out + 4);
}

void Des::EncryptBlock(std::span<const uint8_t, kDesBlockSize> in,
                       std::span<uint8_t, kDesBlockSize> out) const {
    Crypt(encryptKeys_, in.data(), out.data());
}

void Des::DecryptBlock(std::span<const uint8_t, kDesBlockSize> in,
                       std::span<uint8_t, kDesBlockSize> out) const {
    Crypt(decryptKeys_, in.data(), out.data());
}

void Des::EncryptEcb(std::span<uint8_t> data) const {
    for (std::size_t at = 0; at + kDesBlockSize <= data.size(); at += kDesBlockSize)
        Crypt(encryptKeys_, data.data() + at, data.data() + at);
}

void Des::DecryptEcb(std::span<uint8_t> data) const {
    for (std::size_t at = 0; at + kDesBlockSize <= data.size(); at += kDesBlockSize)
        Crypt(decryptKeys_, data.data() + at, data.data() + at);
}

}  // namespace tovrin::catalogue
