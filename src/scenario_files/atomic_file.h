#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

/// Replaces the file at `path` with `bytes`, whole or not at all: the bytes go to a new
/// temporary file in the same folder, which is flushed, closed and checked, and then
/// renamed over the target. On failure the temporary file is removed, any earlier file at
/// `path` is left as it was, and the result says what went wrong; on success it is empty.
/// A folder, a pipe or a device at `path` is refused.
std::string writeFileAtomically(const std::string& path, std::string_view bytes);

/// Fills a temporary file given its name; returns what went wrong, or the empty text.
using FileFiller = std::function<std::string(const std::string& temporaryPath)>;

/// As writeFileAtomically, for a file that another writer makes by name: `fill` is given a
/// new, empty temporary file beside `path` whose name ends in the same extension.
std::string replaceFileAtomically(const std::string& path, const FileFiller& fill);

struct FileBytes {
    std::string path;
    std::string bytes;
};

/// Writes several files, all or none: each first goes to a temporary file beside it, and
/// only when every one is written are they renamed over their targets. On failure no file
/// is replaced, the result says what went wrong and `failedPath` names the file concerned.
std::string writeFilesAtomically(const std::vector<FileBytes>& files, std::string* failedPath);

}  // namespace vorn
