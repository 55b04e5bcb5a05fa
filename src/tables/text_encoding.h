#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorn {

/// True when `bytes` is well-formed UTF-8: no overlong forms, no surrogates, nothing above
/// U+10FFFF, no sequence cut short.
bool isValidUtf8(std::string_view bytes);

/// Converts 8-bit Windows-1252 text to UTF-8. The five bytes that code page leaves
/// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
/// number, as Windows itself converts them.
std::string windows1252ToUtf8(std::string_view bytes);

/// Number of characters (code points) in UTF-8 text; stray continuation bytes count as none.
std::size_t utf8Length(std::string_view text);

}  // namespace vorn
