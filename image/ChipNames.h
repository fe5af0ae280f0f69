#pragma once

#include <string>
#include <string_view>

namespace tovrin::image {

// The one chip that offers three or four rolling-code addresses.
inline constexpr std::string_view kQ3L88ChipName = "Q3L88";

// Characters 1, 3 and 4 are '3', '8', '8' (the others are not examined).
bool IsQ3L88Family(std::string_view name);

// SelectedChipName equals "Q3L88" exactly (case-sensitive).
bool IsExactQ3L88(std::string_view name);

// A family name cut to its first five characters ("Q3L88XX" -> "Q3L88");
// any other name unchanged.
std::string ApplyFamilyRule(std::string_view name);

}  // namespace tovrin::image
