#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "catalogue/DeviceCatalogue.h"
#include "image/Workbench.h"

namespace tovrin::image::fuzzing {

// A small catalogue of chips of different sizes and widths, the Q3L88 family
// included, and a program directory holding its test patterns.
const catalogue::DeviceCatalogue& FuzzCatalogue();
const std::filesystem::path& FuzzProgramDirectory();

// Whatever a load did, these must hold afterwards.
void CheckInvariants(const Workbench& bench);

inline void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace tovrin::image::fuzzing
