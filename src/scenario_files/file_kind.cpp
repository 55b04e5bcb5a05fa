#include "scenario_files/file_kind.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace vorn {

FileLook lookAtFile(const std::string& path) {
    FileLook look;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT) {
            const bool isLink = ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode);
            look.kind = isLink ? FileKind::DanglingLink : FileKind::Nothing;
        } else if (error == ELOOP) {
            look.kind = FileKind::LinkLoop;
        } else {
            look.kind = FileKind::Unreachable;
            look.error = error;
        }
        return look;
    }
    if (S_ISREG(info.st_mode)) {
        look.kind = FileKind::Regular;
        look.permissions = info.st_mode & 07777;
        look.owner = info.st_uid;
        look.group = info.st_gid;
    } else if (S_ISDIR(info.st_mode)) {
        look.kind = FileKind::Folder;
    } else if (S_ISFIFO(info.st_mode)) {
        look.kind = FileKind::Pipe;
    } else if (S_ISSOCK(info.st_mode)) {
        look.kind = FileKind::Socket;
    } else {
        look.kind = FileKind::Device;
    }
    return look;
}

std::string notAFileReason(const FileLook& look) {
    switch (look.kind) {
        case FileKind::Regular:
            return {};
        case FileKind::Nothing:
            return "it does not exist";
        case FileKind::Folder:
            return "it is a folder";
        case FileKind::Pipe:
            return "it is a named pipe (FIFO), not a file";
        case FileKind::Device:
            return "it is a device, not a file";
        case FileKind::Socket:
            return "it is a socket, not a file";
        case FileKind::DanglingLink:
            return "it is a symbolic link that leads nowhere";
        case FileKind::LinkLoop:
            return "it is a loop of symbolic links";
        case FileKind::Unreachable:
            break;
    }
    return systemReason(look.error);
}

std::string systemReason(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

}  // namespace vorn
