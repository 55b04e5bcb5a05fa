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

// A file written beside its target, waiting to replace it.
struct StagedFile {
    fs::path target;
    fs::path temporary;
};

// Creates a new file next to `target` that did not exist before ("x" mode), so that a
// file someone else is writing is never taken over. Its name keeps the target's extension,
// which writers that choose the format by the extension need.
std::FILE* createTemporary(const fs::path& target, fs::path& temporary, int& error) {
    std::random_device device;
    std::mt19937_64 generator(device());
    const fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".";
        name += target.stem().string();
        name += ".saving-";
        name += std::to_string(generator() % 1000000000);
        name += target.extension().string();
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

std::string writeAndClose(std::FILE* file, std::string_view bytes) {
    errno = 0;
    bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written && std::ferror(file) == 0;
    int error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    return written ? std::string() : "writing failed (" + systemReason(error) + ")";
}

// Writes the temporary file for `path`: `bytes`, or what `fill` puts there when given.
std::string stage(const std::string& path, std::string_view bytes, const FileFiller* fill,
                  StagedFile& staged) {
    staged.target = path;
    if (staged.target.filename().empty()) {
        return "the name \"" + path + "\" names no file";
    }
    std::error_code status;
    // Saving over a link replaces the file it points to, not the link.
    if (fs::is_symlink(staged.target, status)) {
        const fs::path linked = fs::canonical(staged.target, status);
        if (!status) {
            staged.target = linked;
        }
    }
    const fs::path folder =
        staged.target.parent_path().empty() ? fs::path(".") : staged.target.parent_path();
    if (!fs::is_directory(folder, status)) {
        return "the folder \"" + folder.string() + "\" does not exist";
    }
    const fs::file_status existing = fs::status(staged.target, status);
    if (fs::is_directory(existing)) {
        return "\"" + path + "\" is a folder";
    }
    // Renaming over a pipe or a device would put a plain file in its place.
    if (fs::exists(existing) && !fs::is_regular_file(existing)) {
        return "\"" + path + "\" is not an ordinary file";
    }

    int error = 0;
    std::FILE* file = createTemporary(staged.target, staged.temporary, error);
    if (file == nullptr) {
        staged.temporary.clear();
        return "no file can be created in the folder \"" + folder.string() + "\" (" +
               systemReason(error) + ")";
    }
    std::string problem = writeAndClose(file, fill != nullptr ? std::string_view() : bytes);
    if (problem.empty() && fill != nullptr) {
        problem = (*fill)(staged.temporary.string());
    }
    if (!problem.empty()) {
        fs::remove(staged.temporary, status);
        staged.temporary.clear();
    }
    return problem;
}

void discard(const StagedFile& staged) {
    std::error_code status;
    if (!staged.temporary.empty()) {
        fs::remove(staged.temporary, status);
    }
}

std::string commit(const StagedFile& staged) {
    std::error_code status;
    // A replaced file keeps its permissions.
    const fs::file_status previous = fs::status(staged.target, status);
    if (!status && fs::is_regular_file(previous)) {
        fs::permissions(staged.temporary, previous.permissions(), status);
    }
    fs::rename(staged.temporary, staged.target, status);
    if (status) {
        discard(staged);
        return "the file could not be replaced (" + status.message() + ")";
    }
    return {};
}

std::string replace(const std::string& path, std::string_view bytes, const FileFiller* fill) {
    StagedFile staged;
    if (std::string problem = stage(path, bytes, fill, staged); !problem.empty()) {
        return problem;
    }
    return commit(staged);
}

}  // namespace

std::string writeFileAtomically(const std::string& path, std::string_view bytes) {
    return replace(path, bytes, nullptr);
}

std::string replaceFileAtomically(const std::string& path, const FileFiller& fill) {
    return replace(path, {}, &fill);
}

std::string writeFilesAtomically(const std::vector<FileBytes>& files, std::string* failedPath) {
    std::vector<StagedFile> staged(files.size());
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (std::string problem = stage(files[k].path, files[k].bytes, nullptr, staged[k]);
            !problem.empty()) {
            for (std::size_t done = 0; done < k; ++done) {
                discard(staged[done]);
            }
            if (failedPath != nullptr) {
                *failedPath = files[k].path;
            }
            return problem;
        }
    }
    // Renames within one folder do not fail for want of space; should one fail all the
    // same, the files not yet renamed keep their earlier contents.
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (std::string problem = commit(staged[k]); !problem.empty()) {
            for (std::size_t rest = k + 1; rest < files.size(); ++rest) {
                discard(staged[rest]);
            }
            if (failedPath != nullptr) {
                *failedPath = files[k].path;
            }
            return problem;
        }
    }
    return {};
}

}  // namespace vorn
