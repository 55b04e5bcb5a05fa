#include "scenario_files/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;
using testing::readWhole;

constexpr std::string_view kEarlier = "the earlier file\n";

unsigned modeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Takes a fault out again however the test ends.
struct FaultFor {
    explicit FaultFor(WriteFault fault) { injectWriteFault(fault); }
    ~FaultFor() { injectWriteFault(std::nullopt); }
};

class AtomicFile : public ::testing::Test {
  protected:
    // The names in the folder: after any write, no temporary file may be left.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder.path(""))) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    // A refusal or failure that names its reason and leaves `path` as it was.
    void expectRefused(const std::string& path, const std::string& reason) {
        const std::vector<std::string> before = names();
        const std::string problem = writeFileAtomically(path, "new text");
        EXPECT_NE(problem.find(reason), std::string::npos) << problem;
        EXPECT_EQ(names(), before);
    }

    testing::TempFolder folder;
};

TEST_F(AtomicFile, ReplacesAFileWholeKeepingItsPermissions) {
    const std::string path = folder.write("kept.txt", std::string(kEarlier));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_EQ(writeFileAtomically(path, "new text"), "");
    EXPECT_EQ(readWhole(path), "new text");
    EXPECT_EQ(modeOf(path), 0640u);

    const std::string fresh = folder.path("fresh.txt");
    const mode_t mask = ::umask(022);
    EXPECT_EQ(writeFileAtomically(fresh, ""), "");
    ::umask(mask);
    EXPECT_EQ(modeOf(fresh), 0644u);
    EXPECT_EQ(readWhole(fresh), "");
    EXPECT_EQ(names(), (std::vector<std::string>{"fresh.txt", "kept.txt"}));
}

// A disk that fills up at any point, in a write or in the flush to disk, leaves the earlier
// file byte for byte as it was, says so, and leaves no temporary file behind.
TEST_F(AtomicFile, AFullDiskLeavesTheEarlierFileAsItWas) {
    const std::string path = folder.write("full.csv", std::string(kEarlier));
    const std::string big(300000, 'x');
    for (const WriteFault fault : {WriteFault{0}, WriteFault{4096}, WriteFault{299999},
                                   WriteFault{0, ENOSPC, true}, WriteFault{0, EIO, true}}) {
        SCOPED_TRACE(std::to_string(fault.bytesBefore) + (fault.atSync ? " at sync" : ""));
        const std::string reason = std::strerror(fault.error);
        {
            FaultFor full(fault);
            EXPECT_NE(writeFileAtomically(path, big).find(reason), std::string::npos);
        }
        {
            FaultFor full(fault);
            const std::string problem = writeFileAtomically(path, [&](std::ostream& out) {
                for (int line = 0; line < 30000; ++line) {
                    out << "0123456789\n";
                }
            });
            EXPECT_NE(problem.find(reason), std::string::npos) << problem;
        }
        EXPECT_EQ(readWhole(path), kEarlier);
        EXPECT_EQ(names(), std::vector<std::string>{"full.csv"});
    }
    // Of several files, none is replaced when the last one cannot be written.
    const std::string other = folder.write("other.csv", "other");
    std::string failed;
    FaultFor full({big.size() + 10});
    EXPECT_NE(writeFilesAtomically({{other, big}, {path, big}}, &failed).find("No space"),
              std::string::npos);
    EXPECT_EQ(failed, path);
    EXPECT_EQ(readWhole(other), "other");
    EXPECT_EQ(names(), (std::vector<std::string>{"full.csv", "other.csv"}));
}

// A stream written piece by piece reaches the file whole, however long.
TEST_F(AtomicFile, StreamsAreWrittenWhole) {
    const std::string path = folder.path("long.csv");
    std::string expected;
    for (int line = 0; line < 50000; ++line) {
        expected += std::to_string(line) + ",x\n";
    }
    EXPECT_EQ(writeFileAtomically(path, [&](std::ostream& out) { out << expected; }), "");
    EXPECT_EQ(readWhole(path), expected);
}

// Names up to the longest a folder holds (255 bytes here), also of characters of several
// bytes, whose temporary names must be cut between characters.
TEST_F(AtomicFile, LongNamesCanBeWritten) {
    for (std::size_t length = 236; length <= 255; ++length) {
        const std::string name = std::string(length - 4, 'n') + ".csv";
        EXPECT_EQ(writeFileAtomically(folder.path(name), "x"), "") << length;
        EXPECT_EQ(readWhole(folder.path(name)), "x");
    }
    std::string accents;
    while (accents.size() + 2 <= 251) {
        accents += "\xc3\xa9";  // é
    }
    EXPECT_EQ(writeFileAtomically(folder.path(accents + ".txt"), "x"), "");
    EXPECT_EQ(names().size(), 21u);
    EXPECT_NE(writeFileAtomically(folder.path(std::string(256, 'n')), "x").find("too long"),
              std::string::npos);
    EXPECT_EQ(names().size(), 21u);
}

// A link to a file stays a link and the file it leads to is replaced; a link that leads
// nowhere or round in a circle is refused and stays as it was.
TEST_F(AtomicFile, LinksStayLinks) {
    const std::string real = folder.write("real.txt", std::string(kEarlier));
    const std::string link = folder.path("link.txt");
    fs::create_symlink("real.txt", link);
    EXPECT_EQ(writeFileAtomically(link, "through the link"), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readWhole(real), "through the link");

    const std::string dangling = folder.path("dangling.txt");
    fs::create_symlink(folder.path("gone/nowhere.txt"), dangling);
    expectRefused(dangling, "it is a symbolic link that leads nowhere");
    const std::string loop = folder.path("loop.txt");
    fs::create_symlink("loop.txt", loop);
    expectRefused(loop, "it is a loop of symbolic links");
    EXPECT_TRUE(fs::is_symlink(dangling) && fs::is_symlink(loop));
}

// Nothing that is not an ordinary file is replaced, and nothing blocks: a named pipe with no
// reader, a device, a folder, a read-only file.
TEST_F(AtomicFile, RefusesWhatIsNoWritableFile) {
    const std::string pipe = folder.path("pipe.csv");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    expectRefused(pipe, "it is a named pipe (FIFO), not a file");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(writeFileAtomically("/dev/null", "x"), "it is a device, not a file");
    fs::create_directory(folder.path("folder.csv"));
    expectRefused(folder.path("folder.csv"), "it is a folder");
    expectRefused(folder.path("no folder/x.csv"),
                  "the folder \"" + folder.path("no folder") + "\" does not exist");

    const std::string readOnly = folder.write("read-only.csv", std::string(kEarlier));
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    expectRefused(readOnly, "it is read-only");
    EXPECT_EQ(readWhole(readOnly), kEarlier);
    EXPECT_EQ(modeOf(readOnly), 0444u);
}

TEST_F(AtomicFile, NamesNeedNotBeText) {
    const std::string name = folder.path("caf\xe9 \xff.csv");
    EXPECT_EQ(writeFileAtomically(name, "bytes"), "");
    EXPECT_EQ(readWhole(name), "bytes");
}

// A real full disk: a file system of 64 KiB, where the system allows mounting one.
TEST_F(AtomicFile, ARealFullDiskLeavesTheEarlierFileAsItWas) {
    const std::string disk = folder.path("disk");
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0) {
        GTEST_SKIP() << "no file system can be mounted here: " << std::strerror(errno);
    }
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{disk};
    const std::string path = disk + "/charts.svg";
    const std::string earlier(40000, 'e');
    ASSERT_EQ(writeFileAtomically(path, earlier), "");
    EXPECT_NE(writeFileAtomically(path, std::string(40000, 'n')).find("No space left on device"),
              std::string::npos);
    EXPECT_EQ(readWhole(path), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 1);
    EXPECT_EQ(writeFileAtomically(path, "small"), "");
    EXPECT_EQ(readWhole(path), "small");
}

}  // namespace
}  // namespace vorn
