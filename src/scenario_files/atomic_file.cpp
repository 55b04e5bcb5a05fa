#include "scenario_files/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace vorn {
namespace {

namespace fs = std::filesystem;

std::string systemReason(int error) {
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

// Creates a new file next to `target` that did not exist before ("x" mode), so that a
// file someone else is writing is never taken over.
std::FILE* createTemporary(const fs::path& target, fs::path& temporary, int& error) {
    std::random_device device;
    std::mt19937_64 generator(device());
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += ".saving-";
        name += std::to_string(generator() % 1000000000);
        temporary = folder.empty() ? fs::path(name) : folder / name;
        errno = 0;
        std::FILE* file = std::fopen(temporary.string().c_str(), "wbx");
        if (file != nullptr) {
            return file;
        }
        error = errno;
        if (error != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

}  // namespace

std::string writeFileAtomically(const std::string& path, std::string_view bytes) {
    fs::path target(path);
    if (target.filename().empty()) {
        return "the name \"" + path + "\" names no file";
    }
    std::error_code status;
    // Saving over a link replaces the file it points to, not the link.
    if (fs::is_symlink(target, status)) {
        const fs::path linked = fs::canonical(target, status);
        if (!status) {
            target = linked;
        }
    }
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    if (!fs::is_directory(folder, status)) {
        return "the folder \"" + folder.string() + "\" does not exist";
    }
    const fs::file_status existing = fs::status(target, status);
    if (fs::is_directory(existing)) {
        return "\"" + path + "\" is a folder";
    }
    // Renaming over a pipe or a device would put a plain file in its place.
    if (fs::exists(existing) && !fs::is_regular_file(existing)) {
        return "\"" + path + "\" is not an ordinary file";
    }

    fs::path temporary;
    int error = 0;
    std::FILE* file = createTemporary(target, temporary, error);
    if (file == nullptr) {
        return "no file can be created in the folder \"" + folder.string() + "\" (" +
               systemReason(error) + ")";
    }

    errno = 0;
    bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written && std::ferror(file) == 0;
    error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) {
        fs::remove(temporary, status);
        return "writing failed (" + systemReason(error) + ")";
    }

    // A replaced file keeps its permissions.
    if (fs::is_regular_file(existing)) {
        fs::permissions(temporary, existing.permissions(), status);
    }
    fs::rename(temporary, target, status);
    if (status) {
        const std::string reason = status.message();
        fs::remove(temporary, status);
        return "the file could not be replaced (" + reason + ")";
    }
    return {};
}

}  // namespace vorn
