// Arbitrary bytes as the text of a HEX source file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "fuzz/image/FuzzWorkbench.h"
#include "image/HexRecords.h"

using namespace tovrin::image;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    std::vector<uint8_t> image(96, 0xEE);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const HexParseSummary summary = StoreHexRecords(text, image);
    fuzzing::Require(image.size() == 96);
    fuzzing::Require(std::all_of(image.begin(), image.begin() + 80, [](uint8_t b) { return b == 0xEE; }));
    fuzzing::Require(summary.badChecksumRecords <= summary.dataRecords);

    Workbench bench(fuzzing::FuzzProgramDirectory(), fuzzing::FuzzCatalogue());
    const std::size_t chip = size > 0 ? data[0] % fuzzing::FuzzCatalogue().Size() : 0;
    bench.SelectInitialChip(chip);
    bench.SetSourcePath("fuzz.hex");
    const bool loaded = bench.LoadSourceBytes(bytes);
    fuzzing::Require(loaded);  // a HEX source never fails once read
    fuzzing::CheckInvariants(bench);
    // A chip change reloads the source for the new chip's image.
    bench.ChangeChip((chip + 1) % fuzzing::FuzzCatalogue().Size());
    fuzzing::CheckInvariants(bench);
    return 0;
}
