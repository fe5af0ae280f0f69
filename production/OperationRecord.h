#pragma once

#include <optional>
#include <span>
#include <string>

#include "production/AuditLog.h"
#include "production/GangMember.h"
#include "production/SerialLedger.h"

namespace tovrin::production {

// What every record of one command shares.
struct OperationFacts {
    std::string operation;  // "download" or "checksum"
    std::string chip;       // as the catalogue names it (8-bit text)
    std::optional<std::string> source;
    std::optional<std::string> sourceSha256;
};

// The audit record of one member after its operation. The image facts come
// from image (the member's own for a download); a checksum record without
// a source carries the checksums the burner read back instead.
AuditRecord MakeAuditRecord(const OperationFacts& facts, const GangMember& member,
                            std::span<const uint8_t> image, const std::optional<SerialBlock>& block);

}  // namespace tovrin::production
