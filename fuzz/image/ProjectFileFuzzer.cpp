// Arbitrary bytes as a project file. With bit 0 of the first input byte set
// the stored checksum is made to match, so that inputs reach past the
// integrity check as well as into it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/image/FuzzWorkbench.h"
#include "image/Checksums.h"

using namespace tovrin::image;

namespace {

bool Load(Workbench& bench, const std::vector<uint8_t>& file) {
    bench.SelectInitialChip(0);
    bench.SetSourcePath("fuzz.qvb");
    return bench.LoadSourceBytes(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool seal = data[0] & 1;
    std::vector<uint8_t> file(data + 1, data + size);

    if (seal) {
        // A first load tells which chip, and so which length, the file names.
        Workbench probe(fuzzing::FuzzProgramDirectory(), fuzzing::FuzzCatalogue());
        (void)Load(probe, file);
        const std::size_t length = probe.ImageByteCount();
        if (file.size() >= length) {
            ImageHeader header{};
            std::copy_n(file.begin(), header.size(), header.begin());
            WriteLe16(file, 30, ComputeQvbChecksum(header, std::span(file).first(length)));
        }
    }

    Workbench bench(fuzzing::FuzzProgramDirectory(), fuzzing::FuzzCatalogue());
    const bool loaded = Load(bench, file);
    fuzzing::CheckInvariants(bench);
    if (loaded) {
        fuzzing::Require(std::equal(bench.WorkingHeader().begin(), bench.WorkingHeader().end(),
                                    bench.ProgrammingImage().begin()));
        fuzzing::Require(!bench.SourceIsHex() && !bench.ChipListEnabled());
    }
    bench.BuildHeader();
    bench.ReceiveOptionBytes();
    fuzzing::CheckInvariants(bench);
    return 0;
}
