#include "production/SourceDigest.h"

#include <openssl/evp.h>

#include <memory>

#include "platform/system/FileIo.h"

namespace tovrin::production {

std::string Sha256Hex(std::span<const uint8_t> bytes) {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), digest, &length) != 1)
        return {};
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * length);
    for (unsigned int i = 0; i < length; ++i) {
        text += kDigits[digest[i] >> 4];
        text += kDigits[digest[i] & 0x0F];
    }
    return text;
}

Result<std::string> FileSha256(const std::filesystem::path& path, std::size_t maxBytes) {
    const auto bytes = ReadFileBytes(path, maxBytes);
    if (!bytes) return Error{"cannot read " + path.string() + " to take its SHA-256"};
    std::string digest = Sha256Hex(*bytes);
    if (digest.empty()) return Error{"OpenSSL could not compute a SHA-256"};
    return digest;
}

}  // namespace tovrin::production
