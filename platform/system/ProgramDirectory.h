#pragma once

#include <filesystem>

namespace tovrin {

// Directory of the running executable (/proc/self/exe); Device/, Pats/,
// Version.TXT and LastSelChip.TXT are named relative to it.
std::filesystem::path ExecutableDirectory();

}  // namespace tovrin
