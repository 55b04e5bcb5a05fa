#pragma once

#include <cerrno>
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The one way this program writes a file: Save, both exports and vorn-run's outputs.
//
// The bytes go to a new temporary file beside the target, under a name that fits wherever
// the target's name fits. Every write, the flush to disk and the closing are checked, and
// only when all of it is on disk is the temporary file renamed over the target, which keeps
// the target's permissions. A symbolic link to a file stays a link: the file it leads to is
// replaced. On failure the temporary file is removed, any earlier file is left byte for byte
// as it was, and the result says why, in words that follow the file's name ("it is
// read-only", "writing failed (No space left on device)"); on success it is empty.
//
// Refused without writing: a read-only target, a folder, a named pipe, a device, a socket, a
// symbolic link that leads nowhere and a loop of links.

/// Replaces the file at `path` with `bytes`.
std::string writeFileAtomically(const std::string& path, std::string_view bytes);

/// Replaces the file at `path` with what `write` writes to the stream it is given, piece by
/// piece, so that a long text is never held whole.
std::string writeFileAtomically(const std::string& path,
                                const std::function<void(std::ostream&)>& write);

struct FileBytes {
    std::string path;
    std::string bytes;
};

/// Writes several files, all or none: each first goes to a temporary file beside it, and
/// only when every one is on disk are they renamed over their targets. On failure no file
/// is replaced, the result says what went wrong and `failedPath` names the file concerned.
std::string writeFilesAtomically(const std::vector<FileBytes>& files, std::string* failedPath);

/// For tests: a disk that fills up. The writer's writes fail with `error` once `bytesBefore`
/// more bytes were written, or, with `atSync`, its flush to disk does.
struct WriteFault {
    std::size_t bytesBefore = 0;
    int error = ENOSPC;
    bool atSync = false;
};
/// Puts in a fault for the following writes, or takes it out again with std::nullopt.
void injectWriteFault(std::optional<WriteFault> fault);

}  // namespace vorn
