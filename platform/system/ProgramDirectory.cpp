#include "platform/system/ProgramDirectory.h"

#include <system_error>

namespace tovrin {

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error);
    return self.parent_path();
}

}  // namespace tovrin
