#include "image/ChipNames.h"

namespace tovrin::image {
namespace {
constexpr std::size_t kFamilyNameLength = 5;
}

bool IsQ3L88Family(std::string_view name) {
    return name.size() >= kFamilyNameLength && name[1] == '3' && name[3] == '8' && name[4] == '8';
}

bool IsExactQ3L88(std::string_view name) {
    return name == kQ3L88ChipName;
}

std::string ApplyFamilyRule(std::string_view name) {
    return std::string(IsQ3L88Family(name) ? name.substr(0, kFamilyNameLength) : name);
}

}  // namespace tovrin::image
