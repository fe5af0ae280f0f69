#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

namespace tovrin {

// Maps in the pages of a large buffer that is about to be written in one call,
// instead of taking one page fault per page, which costs far more than the
// writing itself on virtual machines. Where the kernel lacks the call,
// nothing happens and the pages fault in as usual.
inline void PrefaultForWriting(uint8_t* data, std::size_t bytes) {
    static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    constexpr std::size_t kWorthwhileBytes = 256 * 1024;
    if (bytes < kWorthwhileBytes) return;
#ifdef MADV_POPULATE_WRITE
    const auto start = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
    if (end > start) (void)::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#endif
}

}  // namespace tovrin
