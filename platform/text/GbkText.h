#pragma once

#include <string>
#include <string_view>

namespace tovrin::text {

// GBK (read as GB18030, its superset) to UTF-8 for display. A text that is
// valid UTF-8 already is returned as it is; undecodable bytes become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// UTF-8 to GB18030 bytes, for writing texts where the system stores GBK.
// Characters without a GBK form, and bytes that are not UTF-8, become '?'.
std::string Utf8ToGbk(std::string_view utf8);

bool IsValidUtf8(std::string_view bytes);

}  // namespace tovrin::text
