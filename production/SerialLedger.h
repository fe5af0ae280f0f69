#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/system/Result.h"

namespace tovrin::production {

// A ledger larger than this is not one we wrote.
inline constexpr std::size_t kMaxLedgerBytes = 32u * 1024 * 1024;
// Rolling codes are 32-bit: no block may hand out a value past this.
inline constexpr uint64_t kLastRollingCode = 0xFFFFFFFFu;

// Who asks for a block: the burner's selector and its identity, if known.
struct SerialBlockRequest {
    std::string burner;
    std::optional<uint32_t> burnerId;
};

// A block handed out: the burner counts start, start + step, ... for count chips.
struct SerialBlock {
    std::string burner;
    std::optional<uint32_t> burnerId;
    uint32_t start = 0;
    uint32_t count = 0;
    uint32_t step = 0;
    std::string time;
};

// A JSON file that hands out disjoint blocks of rolling codes:
//   {"next": N, "blocks": [{"burner", "burnerId", "start", "count", "step", "time"}, ...]}
// Each draw happens under an exclusive lock and replaces the file
// atomically, so processes drawing at once never get overlapping blocks and
// a crash leaves the old ledger or the new one. A ledger that does not
// exist yet starts at firstStart.
//
// Draws one block of count codes per request, in order, all or none: a
// block that would pass the 32-bit end refuses the whole draw and leaves
// the ledger unchanged.
Result<std::vector<SerialBlock>> DrawSerialBlocks(const std::filesystem::path& ledger,
                                                  const std::vector<SerialBlockRequest>& requests,
                                                  uint32_t count, uint32_t step, uint32_t firstStart);

}  // namespace tovrin::production
