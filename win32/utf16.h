// The seam between the calculator's UTF-8 texts and Windows' UTF-16 ones.
#pragma once

#include <string>
#include <string_view>

namespace zobu {

// Invalid input is not refused: each bad sequence becomes U+FFFD, as Windows converts it.
std::wstring ToUtf16(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);

}  // namespace zobu
