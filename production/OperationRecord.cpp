#include "production/OperationRecord.h"

#include <algorithm>

#include "image/ImageHeader.h"
#include "platform/text/GbkText.h"

#ifndef TOVRIN_VERSION
#error "TOVRIN_VERSION must be defined by the build"
#endif

namespace tovrin::production {

AuditRecord MakeAuditRecord(const OperationFacts& facts, const GangMember& member,
                            std::span<const uint8_t> image, const std::optional<SerialBlock>& block) {
    const BurnerOutcome& outcome = member.Outcome();
    AuditRecord record;
    record.time = UtcTimestamp();
    record.host = HostName();
    record.user = UserName();
    record.version = TOVRIN_VERSION;
    record.operation = facts.operation;
    record.chip = text::GbkToUtf8(facts.chip);
    record.source = facts.source;
    record.sourceSha256 = facts.sourceSha256;
    record.imageBytes = image.size();
    if (image.size() >= catalogue::kImageHeaderByteCount) {
        image::ImageHeader header{};
        std::copy_n(image.begin(), header.size(), header.begin());
        const image::DecodedHeader h = image::DecodeHeader(header);
        record.qvbChecksum = h.qvbChecksum;
        record.romChecksum = h.romChecksum;
        record.flags = h.flags;
        if (h.rollingCode) {
            RollingCodeRecord rolling{h.initialValue, h.step, {}};
            rolling.addresses.assign(h.addresses.begin(), h.addresses.begin() + h.addressCountIndex + 1);
            record.rollingCode = rolling;
        }
    }
    if (facts.operation == "checksum" && !facts.source) {
        record.qvbChecksum.reset();
        record.romChecksum.reset();
        if (outcome.checksum) {
            record.qvbChecksum = outcome.checksum->qvbChecksum;
            record.romChecksum = outcome.checksum->romChecksum;
        }
    }
    record.burner = member.Selector();
    record.burnerId = outcome.burnerId;
    if (outcome.firmware) record.firmware = text::GbkToUtf8(*outcome.firmware);
    record.ok = outcome.ok;
    record.message = outcome.message;
    record.packets = outcome.packets;
    record.resends = outcome.resends;
    record.ms = outcome.elapsed.count();
    record.verified = outcome.verified;
    if (block) record.serialBlock = SerialBlockRecord{block->start, block->count, block->step};
    return record;
}

}  // namespace tovrin::production
