#include "platform/text/GbkText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace tovrin::text {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
constexpr char kUnmappable = '?';

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input; a sequence it cannot take is handed to
    // onInvalid, which appends a stand-in and says how many bytes to skip.
    template <class OnInvalid>
    std::string Convert(std::string_view input, OnInvalid onInvalid) {
        std::string output;
        output.reserve(input.size() * 2);
        char* in = const_cast<char*>(input.data());  // iconv's signature only; it does not write
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = ::iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ, or EINVAL for a sequence cut off by the end of the text.
            const std::size_t skip =
                std::clamp<std::size_t>(onInvalid(std::string_view(in, inLeft), output), 1, inLeft);
            in += skip;
            inLeft -= skip;
            ::iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        }
        return output;
    }

private:
    iconv_t handle_;
};

struct Utf8Scan {
    std::size_t length;  // of the well-formed sequence at the start, 0 if there is none
    std::size_t faulty;  // else how many bytes belong to the broken sequence (at least 1)
};

// Looks at the sequence at the start of bytes; a broken one is counted by its
// longest prefix that could have begun a character, as UTF-8 decoders do.
Utf8Scan ScanUtf8(std::string_view bytes) {
    if (bytes.empty()) return {0, 0};
    const auto lead = static_cast<uint8_t>(bytes[0]);
    if (lead < 0x80) return {1, 0};
    std::size_t length;
    uint8_t low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return {0, 1};
    }
    std::size_t i = 1;
    for (; i < length && i < bytes.size(); ++i) {
        const auto next = static_cast<uint8_t>(bytes[i]);
        const bool fits = (i == 1) ? (next >= low && next <= high) : ((next & 0xC0) == 0x80);
        if (!fits) break;
    }
    if (i == length) return {length, 0};
    return {0, i};
}

// GB18030's four-byte forms are the characters GBK has no code for.
std::string DropFourByteForms(std::string_view gb18030) {
    std::string gbk;
    gbk.reserve(gb18030.size());
    std::size_t i = 0;
    while (i < gb18030.size()) {
        const auto lead = static_cast<uint8_t>(gb18030[i]);
        if (lead < 0x80 || i + 1 >= gb18030.size()) {
            gbk += gb18030[i++];
            continue;
        }
        const auto second = static_cast<uint8_t>(gb18030[i + 1]);
        if (second >= 0x30 && second <= 0x39) {
            gbk += kUnmappable;
            i += 4;
        } else {
            gbk.append(gb18030.substr(i, 2));
            i += 2;
        }
    }
    return gbk;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const Utf8Scan scan = ScanUtf8(bytes);
        if (scan.length == 0) return false;
        bytes.remove_prefix(scan.length);
    }
    return true;
}

std::string GbkToUtf8(std::string_view gbk) {
    if (IsValidUtf8(gbk)) return std::string(gbk);
    Converter converter("UTF-8", "GB18030");
    if (!converter.ok()) {
        // Without the converter only ASCII can be shown faithfully.
        std::string shown;
        for (char c : gbk) {
            if (static_cast<uint8_t>(c) < 0x80) {
                shown += c;
            } else {
                shown += kReplacementCharacter;
            }
        }
        return shown;
    }
    return converter.Convert(gbk, [](std::string_view, std::string& output) {
        output += kReplacementCharacter;
        return std::size_t{1};
    });
}

std::string Utf8ToGbk(std::string_view utf8) {
    Converter converter("GB18030", "UTF-8");
    if (!converter.ok()) {
        std::string gbk;
        for (std::size_t i = 0; i < utf8.size();) {
            const Utf8Scan scan = ScanUtf8(utf8.substr(i));
            gbk += (scan.length == 1) ? utf8[i] : kUnmappable;
            i += scan.length + scan.faulty;
        }
        return gbk;
    }
    const std::string gb18030 = converter.Convert(utf8, [](std::string_view rest, std::string& output) {
        output += kUnmappable;
        const Utf8Scan scan = ScanUtf8(rest);
        return scan.length + scan.faulty;
    });
    return DropFourByteForms(gb18030);
}

}  // namespace tovrin::text
