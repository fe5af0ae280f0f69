#pragma once

#include <cstdint>
#include <string>

#include "platform/easypod/HidTransport.h"

namespace tovrin::easypod {

// The burner's USB identity and the time-outs the program always asks for.
inline constexpr uint32_t kBurnerVendorId = 0x0C00;
inline constexpr uint32_t kBurnerProductId = 0x0311;
inline constexpr uint32_t kPodTimeoutMs = 5000;
inline constexpr uint32_t kBurnerDeviceIndex = 1;

// Results of the calls; 0 is success, anything else is not.
inline constexpr uint32_t kPodSuccess = 0;
inline constexpr uint32_t kPodNotFound = 1;
inline constexpr uint32_t kPodAccessDenied = 2;  // attached, but the node's permissions keep us out
inline constexpr uint32_t kPodFailed = 3;
inline constexpr uint32_t kPodNotConnected = 4;
inline constexpr uint32_t kPodTimedOut = 5;
inline constexpr uint32_t kPodBadArgument = 6;

// The device record every call takes. The caller stores the four fields
// before each ConnectPOD; the rest is the library's own.
struct PodRecord {
    explicit PodRecord(HidTransport& transport) : transport_(&transport) {}

    uint32_t vendorId = 0;
    uint32_t productId = 0;
    uint32_t readTimeoutMs = 0;
    uint32_t writeTimeoutMs = 0;

    // Stores the burner's identity and the program's time-outs.
    void SetBurnerFields();

    // Why the latest call failed, in the transport's words.
    std::string LastError() const;

private:
    friend uint32_t ConnectPOD(PodRecord*, uint32_t);
    friend uint32_t WriteData(PodRecord*, const uint8_t*, uint32_t, uint32_t*);
    friend uint32_t ReadData(PodRecord*, uint8_t*, uint32_t, uint32_t*);
    friend void DisconnectPOD(PodRecord*);

    HidTransport* transport_;
    bool connected_ = false;
};

// Opens the index-th device (from 1) with the record's vendor and product.
uint32_t ConnectPOD(PodRecord* record, uint32_t deviceIndex);

// Sends count bytes as ceil(count / 64) zero-padded reports, each within the
// record's write time-out. *sentCount (when given) gets the bytes sent.
// Reports still waiting to be read are thrown away first: whatever answers
// the block comes after it, and a stale reply must not pass for its answer.
uint32_t WriteData(PodRecord* record, const uint8_t* bytes, uint32_t count, uint32_t* sentCount);

// Reads ceil(count / 64) reports, each within the record's read time-out,
// and keeps the first count bytes. Returns kPodSuccess only when every byte
// arrived in time; *receivedCount (when given) gets the bytes stored. Bytes
// of the buffer beyond what arrived are left as they were.
uint32_t ReadData(PodRecord* record, uint8_t* buffer, uint32_t count, uint32_t* receivedCount);

void DisconnectPOD(PodRecord* record);

}  // namespace tovrin::easypod
