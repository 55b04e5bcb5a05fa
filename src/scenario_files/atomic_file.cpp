#include "scenario_files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <streambuf>

#include "scenario_files/file_kind.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

std::optional<WriteFault> injectedFault;

// write(2), failing as the injected fault says.
ssize_t writeSome(int fd, const char* data, std::size_t size) {
    if (injectedFault && !injectedFault->atSync) {
        if (injectedFault->bytesBefore == 0) {
            errno = injectedFault->error;
            return -1;
        }
        size = std::min(size, injectedFault->bytesBefore);
        const ssize_t written = ::write(fd, data, size);
        if (written > 0) {
            injectedFault->bytesBefore -= static_cast<std::size_t>(written);
        }
        return written;
    }
    return ::write(fd, data, size);
}

int syncToDisk(int fd) {
    if (injectedFault && injectedFault->atSync) {
        errno = injectedFault->error;
        return -1;
    }
    return ::fsync(fd);
}

std::size_t longestName(const std::string& folder) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

// "." + the target's name + "~" + six random letters, the target's name shortened (never
// inside a UTF-8 character) so that the whole is no longer than the target's own name, or
// 24 bytes beside a short one, nor than the folder allows.
std::string temporaryName(const std::string& name, std::size_t nameMax, std::mt19937_64& random) {
    constexpr std::size_t kMarks = 8;  // ".", "~" and the six letters
    constexpr std::size_t kShortName = 24;
    const std::size_t room = std::min(std::max(name.size(), kShortName), nameMax);
    std::size_t kept = std::min(name.size(), room > kMarks ? room - kMarks : 0);
    while (kept > 0 && kept < name.size() &&
           (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) {
        --kept;
    }
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string temporary(1, '.');
    temporary.append(name, 0, kept);
    temporary += '~';
    for (int letter = 0; letter < 6; ++letter) {
        temporary += kLetters[random() % kLetters.size()];
    }
    return temporary;
}

// A file written beside its target, waiting to replace it. Removed unless it replaced it.
class StagedFile {
  public:
    StagedFile() = default;
    ~StagedFile() { discard(); }
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    /// Checks the target and creates the temporary file.
    bool open(const std::string& path);
    bool write(std::string_view bytes);
    /// Flushes the temporary file to disk and closes it.
    bool finish();
    /// Renames the finished temporary file over the target.
    bool commit();
    void discard();
    const std::string& problem() const { return m_problem; }

  private:
    bool fail(std::string problem) {
        if (m_problem.empty()) {
            m_problem = std::move(problem);
        }
        discard();
        return false;
    }
    bool checkTarget(const std::string& path);
    bool keepPermissions();

    std::string m_target;  // the file replaced: the one a link leads to
    std::string m_folder;
    std::string m_temporary;
    FileLook m_earlier;
    int m_fd = -1;
    std::string m_problem;
};

bool StagedFile::checkTarget(const std::string& path) {
    if (path.empty() || fs::path(path).filename().empty()) {
        return fail("the name names no file");
    }
    m_earlier = lookAtFile(path);
    m_target = path;
    if (m_earlier.kind == FileKind::Regular) {
        // Writing through a link replaces the file it leads to and keeps the link.
        if (std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                             &std::free);
            real) {
            m_target = real.get();
        }
        if ((m_earlier.permissions & 0222) == 0) {
            return fail("it is read-only");
        }
        if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0) {
            return fail("it cannot be changed (" + systemReason(errno) + ")");
        }
    } else if (m_earlier.kind != FileKind::Nothing) {
        return fail(notAFileReason(m_earlier));
    }
    const fs::path folder = fs::path(m_target).parent_path();
    m_folder = folder.empty() ? std::string(".") : folder.string();
    if (const FileLook look = lookAtFile(m_folder); look.kind != FileKind::Folder) {
        return fail("the folder \"" + m_folder + "\" " +
                    (look.kind == FileKind::Nothing ? std::string("does not exist")
                                                    : "cannot be used: " + notAFileReason(look)));
    }
    return true;
}

bool StagedFile::open(const std::string& path) {
    if (!checkTarget(path)) {
        return false;
    }
    std::random_device device;
    std::mt19937_64 random(device());
    const std::string name = fs::path(m_target).filename().string();
    const std::size_t nameMax = longestName(m_folder);
    int error = 0;
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = (fs::path(m_folder) / temporaryName(name, nameMax, random)).string();
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        error = errno;
        if (m_fd < 0 && error != EEXIST) {
            break;
        }
    }
    if (m_fd < 0) {
        m_temporary.clear();
        return fail("no file can be created in the folder \"" + m_folder + "\" (" +
                    systemReason(error) + ")");
    }
    return keepPermissions();
}

// The replacement gets the earlier file's owner, where the system allows, and its
// permissions; a new file gets what the user's umask gives.
bool StagedFile::keepPermissions() {
    if (m_earlier.kind != FileKind::Regular) {
        return true;
    }
    struct stat made {};
    if (::fstat(m_fd, &made) != 0) {
        return fail("the new file cannot be examined (" + systemReason(errno) + ")");
    }
    if (made.st_uid != m_earlier.owner || made.st_gid != m_earlier.group) {
        [[maybe_unused]] const int ignored = ::fchown(m_fd, m_earlier.owner, m_earlier.group);
    }
    if (::fchmod(m_fd, m_earlier.permissions) != 0) {
        return fail("its permissions cannot be kept (" + systemReason(errno) + ")");
    }
    return true;
}

bool StagedFile::write(std::string_view bytes) {
    if (m_fd < 0) {
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t written = writeSome(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return fail("writing failed (" + systemReason(written < 0 ? errno : ENOSPC) + ")");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool StagedFile::finish() {
    if (m_fd < 0) {
        return false;
    }
    if (syncToDisk(m_fd) != 0) {
        return fail("writing to disk failed (" + systemReason(errno) + ")");
    }
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0) {
        return fail("writing failed (" + systemReason(errno) + ")");
    }
    return true;
}

bool StagedFile::commit() {
    if (m_temporary.empty() || m_fd >= 0) {
        return false;
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        return fail("the file could not be replaced (" + systemReason(errno) + ")");
    }
    m_temporary.clear();
    // The rename itself reaches the disk with the folder; the file is whole either way.
    if (const int folder = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void StagedFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

// A stream buffer that hands what is written to a staged file in blocks.
class StagedBuffer : public std::streambuf {
  public:
    explicit StagedBuffer(StagedFile& file) : m_file(file), m_buffer(1 << 16) {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }

  protected:
    int_type overflow(int_type c) override {
        if (!pass()) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return pass() ? 0 : -1; }

  private:
    bool pass() {
        const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return m_file.write(pending);
    }

    StagedFile& m_file;
    std::vector<char> m_buffer;
};

std::string replaceWith(const std::string& path, const std::function<bool(StagedFile&)>& fill) {
    StagedFile staged;
    if (!staged.open(path)) {
        return staged.problem();
    }
    if (fill(staged) && staged.finish() && staged.commit()) {
        return {};
    }
    return staged.problem().empty() ? std::string("writing failed") : staged.problem();
}

}  // namespace

std::string writeFileAtomically(const std::string& path, std::string_view bytes) {
    return replaceWith(path, [bytes](StagedFile& staged) { return staged.write(bytes); });
}

std::string writeFileAtomically(const std::string& path,
                                const std::function<void(std::ostream&)>& write) {
    return replaceWith(path, [&write](StagedFile& staged) {
        StagedBuffer buffer(staged);
        std::ostream out(&buffer);
        write(out);
        out.flush();
        return staged.problem().empty() && out.good();
    });
}

std::string writeFilesAtomically(const std::vector<FileBytes>& files, std::string* failedPath) {
    std::vector<StagedFile> staged(files.size());
    auto failed = [&](std::size_t k) {
        if (failedPath != nullptr) {
            *failedPath = files[k].path;
        }
        return staged[k].problem();
    };
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!staged[k].open(files[k].path) || !staged[k].write(files[k].bytes) ||
            !staged[k].finish()) {
            return failed(k);  // the files staged so far are removed with `staged`
        }
    }
    // Renames within one folder do not fail for want of space; should one fail all the
    // same, the files not yet renamed keep their earlier contents.
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!staged[k].commit()) {
            return failed(k);
        }
    }
    return {};
}

void injectWriteFault(std::optional<WriteFault> fault) {
    injectedFault = fault;
}

}  // namespace vorn
