#include "platform/easypod/EasyPod.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace tovrin::easypod {

void PodRecord::SetBurnerFields() {
    vendorId = kBurnerVendorId;
    productId = kBurnerProductId;
    readTimeoutMs = kPodTimeoutMs;
    writeTimeoutMs = kPodTimeoutMs;
}

std::string PodRecord::LastError() const {
    return transport_->LastError();
}

uint32_t ConnectPOD(PodRecord* record, uint32_t deviceIndex) {
    if (record == nullptr) return kPodBadArgument;
    if (record->connected_) DisconnectPOD(record);
    // HID identities are 16 bits; a wider value names no device.
    if (record->vendorId > 0xFFFF || record->productId > 0xFFFF || deviceIndex == 0) return kPodNotFound;
    const HidDeviceMatch match{static_cast<uint16_t>(record->vendorId),
                               static_cast<uint16_t>(record->productId), deviceIndex};
    switch (record->transport_->Open(match)) {
        case HidOpenStatus::Opened:
            record->connected_ = true;
            return kPodSuccess;
        case HidOpenStatus::NotFound:
            return kPodNotFound;
        case HidOpenStatus::AccessDenied:
            return kPodAccessDenied;
        case HidOpenStatus::Failed:
            break;
    }
    return kPodFailed;
}

uint32_t WriteData(PodRecord* record, const uint8_t* bytes, uint32_t count, uint32_t* sentCount) {
    if (sentCount != nullptr) *sentCount = 0;
    if (record == nullptr || (bytes == nullptr && count > 0)) return kPodBadArgument;
    if (!record->connected_) return kPodNotConnected;
    const std::chrono::milliseconds timeout(record->writeTimeoutMs);
    record->transport_->DiscardWaitingReports();
    uint32_t sent = 0;
    HidReport report;
    while (sent < count) {
        const uint32_t chunk = std::min<uint32_t>(count - sent, kHidReportSize);
        report.fill(0);
        std::memcpy(report.data(), bytes + sent, chunk);
        if (!record->transport_->WriteReport(report, timeout)) return kPodFailed;
        sent += chunk;
        if (sentCount != nullptr) *sentCount = sent;
    }
    return kPodSuccess;
}

uint32_t ReadData(PodRecord* record, uint8_t* buffer, uint32_t count, uint32_t* receivedCount) {
    if (receivedCount != nullptr) *receivedCount = 0;
    if (record == nullptr || (buffer == nullptr && count > 0)) return kPodBadArgument;
    if (!record->connected_) return kPodNotConnected;
    const std::chrono::milliseconds timeout(record->readTimeoutMs);
    uint32_t received = 0;
    HidReport report;
    while (received < count) {
        switch (record->transport_->ReadReport(report, timeout)) {
            case HidReadStatus::Received:
                break;
            case HidReadStatus::TimedOut:
                return kPodTimedOut;
            case HidReadStatus::Failed:
                return kPodFailed;
        }
        const uint32_t chunk = std::min<uint32_t>(count - received, kHidReportSize);
        std::memcpy(buffer + received, report.data(), chunk);
        received += chunk;
        if (receivedCount != nullptr) *receivedCount = received;
    }
    return kPodSuccess;
}

void DisconnectPOD(PodRecord* record) {
    if (record == nullptr || !record->connected_) return;
    record->transport_->Close();
    record->connected_ = false;
}

}  // namespace tovrin::easypod
