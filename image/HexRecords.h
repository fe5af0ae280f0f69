#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tovrin::image {

struct HexParseSummary {
    std::size_t dataRecords = 0;         // records whose bytes were stored
    std::size_t badChecksumRecords = 0;  // of those, records whose checksum is wrong
};

// Stores the data of Intel HEX records into the code area of image: the byte
// at record address A goes to image byte 80 + A, bytes beyond the image are
// dropped. The text ends at its first zero byte. Anything before a record's
// first hexadecimal digit is skipped, every record type but 01 (end of file)
// counts as data, and a record whose checksum is wrong is still stored (old
// files may rely on it) but counted. The parse ends quietly at an end-of-file
// record, a negative address or count, a record cut short, or trailing text
// with no hexadecimal digit.
HexParseSummary StoreHexRecords(std::string_view text, std::span<uint8_t> image);

}  // namespace tovrin::image
