#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tovrin::devicesel {

// The caller's out buffer is assumed to hold this many bytes, terminator
// included; a longer result is cut to fit.
inline constexpr std::size_t kOutBufferBytes = 260;
// Paths of this length or more are refused.
inline constexpr std::size_t kMaxPathBytes = 260;

// Titles (names without ".dev") of the definition files in the Device
// folder under baseDirectory (the current directory when it is empty),
// ordered as the chip list orders them. Names as bytes, not decoded.
std::vector<std::string> ListDeviceTitles(const std::filesystem::path& baseDirectory);

// The entry the list opens on: the last entry equal to the preselected
// name, else entry 0. An empty name or "VB27" always gives entry 0.
std::size_t PreselectedEntry(const std::vector<std::string>& titles, std::string_view preselected);

// What OK hands back: the title without its first four characters.
std::string ResultFromTitle(std::string_view title);

// Copies the result with its terminator, cut to kOutBufferBytes.
void CopyResult(std::string_view result, char* out);

}  // namespace tovrin::devicesel
