#include "burner/ChipChecksumCheck.h"

#include <cstdio>

#include "image/ImageHeader.h"

namespace tovrin::burner {
namespace {

std::string Hex4(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::vector<ChecksumDifference> CompareChipChecksum(const ChipChecksumReply& reply,
                                                    std::span<const uint8_t> imageHeader) {
    std::vector<ChecksumDifference> differences;
    if (imageHeader.size() < catalogue::kImageHeaderByteCount) {
        differences.push_back({"image header", 0, 0});
        return differences;
    }
    auto compare = [&differences](std::string field, uint16_t burner, uint16_t image) {
        if (burner != image) differences.push_back({std::move(field), burner, image});
    };
    compare("QVB checksum", reply.qvbChecksum, image::ReadLe16(imageHeader, image::header::kQvbChecksum));
    compare("ROM checksum", reply.romChecksum, image::ReadLe16(imageHeader, image::header::kRomChecksum));
    for (std::size_t k = 0; k < kConfigurationWordCount; ++k)
        compare("configuration word " + std::to_string(k), reply.configurationWords[k],
                image::ReadLe16(imageHeader, image::header::kOptionBlock + 2 * k));
    return differences;
}

std::string DescribeDifferences(const std::vector<ChecksumDifference>& differences) {
    std::string text;
    for (const ChecksumDifference& d : differences) {
        if (!text.empty()) text += "; ";
        if (d.field == "image header") {
            text += "the image has no whole header to compare with";
            continue;
        }
        text += d.field + ": burner " + Hex4(d.burner) + ", image " + Hex4(d.image);
    }
    return text;
}

}  // namespace tovrin::burner
