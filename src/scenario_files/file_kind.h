#pragma once

#include <string>

namespace vorn {

/// What a file name leads to, following symbolic links.
enum class FileKind {
    Nothing,  // no file of that name (or no folder on the way to it)
    Regular,  // an ordinary file
    Folder,
    Pipe,    // a named pipe (FIFO)
    Device,  // a character or block device
    Socket,
    DanglingLink,  // a symbolic link to a name where nothing is
    LinkLoop,      // symbolic links that lead round in a circle
    Unreachable,   // the system refuses to tell (`error`: permission denied, name too long...)
};

struct FileLook {
    FileKind kind = FileKind::Nothing;
    int error = 0;             // the errno value of Unreachable
    unsigned permissions = 0;  // of a Regular file: its permission bits (07777)
    unsigned owner = 0;        // of a Regular file: its user and group
    unsigned group = 0;
};

/// Looks at `path` as the system would when opening it.
FileLook lookAtFile(const std::string& path);

/// Why `look` is no ordinary file, for a message after the file's name: plain words ("it
/// does not exist", "it is a symbolic link that leads nowhere"), or the system's own for what
/// it refused ("Permission denied"). Empty for an ordinary file.
std::string notAFileReason(const FileLook& look);

/// The system's words for an errno value ("No space left on device").
std::string systemReason(int error);

}  // namespace vorn
