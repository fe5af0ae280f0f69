#include "image/HexRecords.h"

#include <algorithm>
#include <vector>

#include "catalogue/ChipDefinition.h"
#include "platform/text/HexDigits.h"

namespace tovrin::image {
namespace {

// Fewer characters than this cannot start another record.
constexpr std::size_t kMinRecordRemainder = 6;
constexpr std::size_t kRecordPrefixChars = 8;  // count, address, type
constexpr int kEndOfFileType = 1;
// Extended segment / start segment / extended linear / start linear address.
constexpr int kExtendedSegmentType = 2;
constexpr int kExtendedLinearType = 4;
constexpr int kFirstAddressType = 2;
constexpr int kLastAddressType = 5;

// Digits are read leniently, so stored files that relied on it keep loading
// the same; the checksum test flags records holding anything but digits.
int FieldValue(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 16 + text::LenientHexDigit(c);
    return value;
}

int PairValue(const char* pair) {
    return text::LenientHexDigit(pair[0]) * 16 + text::LenientHexDigit(pair[1]);
}

std::size_t FindHexDigit(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text::IsHexDigit(text[i])) return i;
    }
    return std::string_view::npos;
}

// The bytes of a well-formed record, its checksum included, sum to 0 mod 256.
bool ChecksumHolds(std::string_view record) {
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < record.size(); i += 2) {
        if (!text::IsHexDigit(record[i]) || !text::IsHexDigit(record[i + 1])) return false;
        sum += static_cast<unsigned>(PairValue(&record[i]));
    }
    return record.size() % 2 == 0 && (sum & 0xFF) == 0;
}

}  // namespace

HexParseSummary StoreHexRecords(std::string_view text, std::span<uint8_t> image) {
    text = text.substr(0, text.find('\0'));
    HexParseSummary summary;
    // Image bytes whose value an address record wrote; made on the first one.
    std::vector<bool> fromAddressRecord;
    bool extendedBase = false;  // the latest type 02 or 04 named a non-zero base
    std::size_t pos = 0;
    while (text.size() - pos >= kMinRecordRemainder) {
        const std::size_t start = FindHexDigit(text, pos);
        if (start == std::string_view::npos) break;
        if (text.size() - start < kRecordPrefixChars) break;

        const int count = FieldValue(text.substr(start, 2));
        const int address = FieldValue(text.substr(start + 2, 4));
        const int type = FieldValue(text.substr(start + 6, 2));
        if (address < 0 || type == kEndOfFileType) break;
        pos = start + kRecordPrefixChars;
        if (pos == text.size()) break;
        if (count < 0) break;

        const std::size_t dataChars = 2 * static_cast<std::size_t>(count);
        if (text.size() - pos < dataChars + 2) break;
        const char* data = text.data() + pos;
        if (!ChecksumHolds(text.substr(start, kRecordPrefixChars + dataChars + 2))) {
            ++summary.badChecksumRecords;
        }
        pos += dataChars + 2;

        const bool addressRecord = type >= kFirstAddressType && type <= kLastAddressType;
        if (addressRecord && fromAddressRecord.empty()) fromAddressRecord.resize(image.size());
        const std::size_t first = catalogue::kImageHeaderByteCount + static_cast<std::size_t>(address);
        const std::size_t stored =
            first < image.size() ? std::min(image.size() - first, std::size_t(count)) : 0;
        for (std::size_t k = 0; k < stored; ++k) {
            image[first + k] = static_cast<uint8_t>(PairValue(data + 2 * k));
        }
        if (!fromAddressRecord.empty() && stored > 0)
            std::fill_n(fromAddressRecord.begin() + static_cast<std::ptrdiff_t>(first), stored,
                        addressRecord);
        summary.bytesBeyondImage += static_cast<std::size_t>(count) - stored;
        if (type == kExtendedSegmentType || type == kExtendedLinearType) {
            extendedBase = std::string_view(data, dataChars).find_first_not_of('0') != std::string_view::npos;
        } else if (!addressRecord && extendedBase) {
            summary.extendedAddressBytes += stored;
        }
        ++summary.dataRecords;
    }
    summary.addressRecordBytes =
        static_cast<std::size_t>(std::count(fromAddressRecord.begin(), fromAddressRecord.end(), true));
    return summary;
}

}  // namespace tovrin::image
