#pragma once

#include <string>
#include <string_view>

namespace vorn {

/// Replaces the file at `path` with `bytes`, whole or not at all: the bytes go to a new
/// temporary file in the same folder, which is flushed, closed and checked, and then
/// renamed over the target. On failure the temporary file is removed, any earlier file at
/// `path` is left as it was, and the result says what went wrong; on success it is empty.
/// A folder, a pipe or a device at `path` is refused.
std::string writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace vorn
