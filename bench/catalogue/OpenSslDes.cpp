#include "bench/catalogue/OpenSslDes.h"

#include <openssl/des.h>

struct OpenSslDes::Schedule {
    DES_key_schedule keys;
};

OpenSslDes::OpenSslDes(std::span<const uint8_t, 8> key) : schedule_(new Schedule) {
    DES_cblock block;
    for (int i = 0; i < 8; ++i) block[i] = key[static_cast<std::size_t>(i)];
    DES_set_key_unchecked(&block, &schedule_->keys);
}

OpenSslDes::~OpenSslDes() {
    delete schedule_;
}

void OpenSslDes::DecryptEcb(std::span<uint8_t> data) const {
    for (std::size_t at = 0; at + 8 <= data.size(); at += 8) {
        auto* block = reinterpret_cast<DES_cblock*>(data.data() + at);
        DES_ecb_encrypt(block, block, &schedule_->keys, DES_DECRYPT);
    }
}
