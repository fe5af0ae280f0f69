#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tovrin::image {

struct HexParseSummary {
    std::size_t dataRecords = 0;         // records whose bytes were stored
    std::size_t badChecksumRecords = 0;  // of those, records whose checksum is wrong
    // Bytes of records that fell beyond the image and were dropped: the
    // file was usually built for a chip with more code.
    std::size_t bytesBeyondImage = 0;
    // Image bytes that, at the end, still hold what an address record (type
    // 02, 03, 04 or 05) wrote there: an entry point or an extended address
    // taken for code.
    std::size_t addressRecordBytes = 0;
    // Bytes of data records that follow a non-zero extended address (type 02
    // or 04): meant for an address above 64 KiB, stored at the record's
    // 16-bit address all the same.
    std::size_t extendedAddressBytes = 0;
};

// Stores the data of Intel HEX records into the code area of image: the byte
// at record address A goes to image byte 80 + A, bytes beyond the image are
// dropped. The text ends at its first zero byte. Anything before a record's
// first hexadecimal digit is skipped, every record type but 01 (end of file)
// counts as data, and a record whose checksum is wrong is still stored (old
// files may rely on it) but counted. Dropped bytes and the bytes of address
// records and extended addresses are counted too, so that a caller can warn. The parse ends quietly at an
// end-of-file record, a negative address or count, a record cut short, or trailing text with no hexadecimal
// digit.
HexParseSummary StoreHexRecords(std::string_view text, std::span<uint8_t> image);

}  // namespace tovrin::image
