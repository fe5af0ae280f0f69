// The C interface of libRyl and libMard: this file is built once per
// library, TOVRIN_OPTIONLIB_MARD choosing which.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "dialoglib/Application.h"
#include "optionlib/ConfigBitsDlg.h"

#if TOVRIN_OPTIONLIB_MARD
#include "tovrin/mard.h"
#else
#include "tovrin/ryl.h"
#endif

#define TOVRIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using tovrin::optionlib::CConfigBitsDlg;
using tovrin::optionlib::RylInput;
using tovrin::optionlib::Variant;

// The dialog keeps the path in a 260-byte buffer; a longer one is refused.
constexpr std::size_t kPathBufferBytes = 260;

bool PathFits(const char* path) {
    return path && ::strnlen(path, kPathBufferBytes) < kPathBufferBytes;
}

#if TOVRIN_OPTIONLIB_MARD
// Word 0's starting value, kept for as long as the library is loaded.
uint16_t firstWordStartingValue = 0;

int RunMard(const char* path, uint16_t* values) {
    if (!PathFits(path) || !values || !tovrin::dialoglib::EnsureApplication()) return 0;
    CConfigBitsDlg dialog(Variant::Mard, path, RylInput{}, firstWordStartingValue);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    const auto& result = dialog.Values();
    std::memcpy(values, result.data(), result.size() * sizeof(uint16_t));
    return confirmed ? 1 : 0;
}
#endif

}  // namespace

#if TOVRIN_OPTIONLIB_MARD

TOVRIN_EXPORT int MardOptionDlg(const char* path, uint16_t* values) {
    try {
        return RunMard(path, values);
    } catch (...) {
        return 0;
    }
}

TOVRIN_EXPORT int MardOptionDlgEx(const char* path, uint16_t* values, int firstWord) {
    firstWordStartingValue = static_cast<uint16_t>(firstWord);
    try {
        return RunMard(path, values);
    } catch (...) {
        return 0;
    }
}

#else

TOVRIN_EXPORT int RylOptionDlg(const char* path, uint16_t* buffer) {
    try {
        if (!PathFits(path) || !buffer || !tovrin::dialoglib::EnsureApplication()) return 0;
        std::uint8_t input[tovrin::optionlib::kRylInputBytes];
        std::memcpy(input, buffer, sizeof input);
        CConfigBitsDlg dialog(Variant::Ryl, path, tovrin::optionlib::ReadRylInput(input), 0);
        if (dialog.exec() != QDialog::Accepted) return 0;
        const auto words =
            tovrin::optionlib::RylResultWords(dialog.FileOptionWords(), dialog.Addresses(), dialog.Values());
        std::memcpy(buffer, words.data(), words.size() * sizeof(uint16_t));
        return 1;
    } catch (...) {
        return 0;
    }
}

#endif
