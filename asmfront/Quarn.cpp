// Console entry of the assembler: prepares an erased program-memory table
// and echoes its command line.
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kProgramWordCount = 32768;
constexpr uint32_t kErasedProgramWord = 0xFFFF;

uint32_t programMemory[kProgramWordCount];

}  // namespace

int main(int argc, char** argv) {
    for (uint32_t& word : programMemory) word = kErasedProgramWord;
    for (int i = 0; i < argc; ++i) std::printf("%s ", argv[i]);
    std::printf("\n");
    return 0;
}
