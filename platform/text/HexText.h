#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tovrin::text {

// Upper-case hexadecimal digits without separators, high digit first
// ("0A1B"): the form of enciphered definition files, request logs and dumps.
std::string UpperHexDigits(std::span<const uint8_t> bytes);

}  // namespace tovrin::text
