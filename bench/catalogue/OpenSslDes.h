#pragma once

#include <cstdint>
#include <span>

// OpenSSL's legacy DES, the peer our own is measured against.
class OpenSslDes {
public:
    explicit OpenSslDes(std::span<const uint8_t, 8> key);
    ~OpenSslDes();
    OpenSslDes(const OpenSslDes&) = delete;
    OpenSslDes& operator=(const OpenSslDes&) = delete;

    void DecryptEcb(std::span<uint8_t> data) const;

private:
    struct Schedule;
    Schedule* schedule_;
};
