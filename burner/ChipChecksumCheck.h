#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "burner/Protocol.h"

namespace tovrin::burner {

// One field where the burner's read-back and the image disagree.
struct ChecksumDifference {
    std::string field;  // "QVB checksum", "ROM checksum", "configuration word 3"
    uint16_t burner = 0;
    uint16_t image = 0;
};

// The chip-checksum reply against the header the burner was given: the QVB
// and ROM checksums (header bytes 30-31 and 28-29) and the configuration
// area (16 little-endian words at header bytes 48-79). A header shorter than
// 80 bytes cannot match and is reported as one difference.
std::vector<ChecksumDifference> CompareChipChecksum(const ChipChecksumReply& reply,
                                                    std::span<const uint8_t> imageHeader);

// "QVB checksum: burner 1A2B, image 3C4D; configuration word 0: ..."
std::string DescribeDifferences(const std::vector<ChecksumDifference>& differences);

}  // namespace tovrin::burner
