// Fault drills for replacing files: what the user had is kept, a set is replaced
// whole or not at all, and nothing is left behind by a failure or a signal.

#include "exchange/SafeFile.h"
#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/ShapeFile.h"
#include "exchange/TemporaryFiles.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sw {
namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode;
}

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const FileError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(SafeFileReplacing, KeepsPermissionsAndFollowsLinks) {
    test::ScratchDir dir;
    const std::string secret = dir.File("secret.kml");
    test::WriteBytes(secret, "old");
    ::chmod(secret.c_str(), 0600);
    ReplaceFileContents(secret, "new", WriteFailureText::Runtime);
    EXPECT_EQ(test::ReadBytes(secret), "new");
    EXPECT_EQ(ModeOf(secret) & 07777, 0600u);

    const mode_t old = ::umask(022);
    ReplaceFileContents(dir.File("fresh.kml"), "x", WriteFailureText::Runtime);
    ::umask(old);
    EXPECT_EQ(ModeOf(dir.File("fresh.kml")) & 07777, 0644u);

    // A link to a file in another folder: the file is replaced, the link stays.
    fs::create_directory(dir.Path() / "real");
    test::WriteBytes(dir.File("real/target.kml"), "old");
    fs::create_symlink("real/target.kml", dir.Path() / "link.kml");
    ReplaceFileContents(dir.File("link.kml"), "new", WriteFailureText::Runtime);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.File("link.kml"))));
    EXPECT_EQ(test::ReadBytes(dir.File("real/target.kml")), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path() / "real"), {}), 1);

    // A link to a file not yet there creates that file.
    fs::create_symlink("real/later.kml", dir.Path() / "dangling.kml");
    ReplaceFileContents(dir.File("dangling.kml"), "made", WriteFailureText::Runtime);
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.File("dangling.kml"))));
    EXPECT_EQ(test::ReadBytes(dir.File("real/later.kml")), "made");

    // A name of 255 bytes, the most a folder entry holds, leaves nothing else behind.
    const std::string longName = dir.File(std::string(251, 'n') + ".kml");
    ReplaceFileContents(longName, "long", WriteFailureText::Runtime);
    ReplaceFileContents(longName, "longer", WriteFailureText::Runtime);
    EXPECT_EQ(test::ReadBytes(longName), "longer");
    EXPECT_EQ(dir.EntryCount(), 6u);
}

TEST(SafeFileReplacing, StreamsAndDevicesAreWrittenInPlace) {
    test::ScratchDir dir;
    const std::string fifo = dir.File("pipe.kml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Nobody reads: refused at once instead of waiting forever.
    EXPECT_EQ(MessageOf([&] { ReplaceFileContents(fifo, "x", WriteFailureText::Runtime); }),
              "Cannot create file \"" + fifo + "\". No program reads from this FIFO");

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ReplaceFileContents(fifo, "through the pipe", WriteFailureText::Runtime);
    char buf[64] = {};
    EXPECT_EQ(::read(reader, buf, sizeof buf), 16);
    EXPECT_STREQ(buf, "through the pipe");
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_EQ(dir.EntryCount(), 1u);

    ReplaceFileContents("/dev/null", "gone", WriteFailureText::Runtime);
    EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));
    EXPECT_EQ(MessageOf([] { ReplaceFileContents("/dev/full", "x", WriteFailureText::Runtime); }),
              "Disk full");
    EXPECT_EQ(MessageOf([&] {
                  ReplaceFileContents(dir.Path().string(), "x", WriteFailureText::Runtime);
              }),
              "Cannot create file \"" + dir.Path().string() + "\". It is a folder, not a file");
}

// A small file system that fills up: the old file survives a full disk whole.
TEST(SafeFileReplacing, FullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    test::ScratchDir dir;
    const std::string mountPoint = dir.File("small");
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << std::strerror(errno);
    }
    const std::string target = mountPoint + "/grid.kml";
    test::WriteBytes(target, "old contents");
    const std::string big(256 * 1024, 'k');
    EXPECT_EQ(
        MessageOf([&] { ReplaceFileContents(target, big, WriteFailureText::StreamWriteError); }),
        "Stream write error");
    EXPECT_EQ(MessageOf([&] {
                  StagedFile f(target, WriteFailureText::Runtime);
                  for (int i = 0; i < 64; ++i) {
                      f.Write(std::string(8 * 1024, 'k'));
                  }
                  f.Commit();
              }),
              "Disk full");
    EXPECT_EQ(test::ReadBytes(target), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(mountPoint), {}), 1);
    ::umount(mountPoint.c_str());
}

// Fails the third rename of a temporary over its target.
int FailThirdReplacement(const char* from, const char* to) {
    static int calls = 0;
    const std::string_view f(from);
    if (f.size() > 4 && f.substr(f.size() - 4) == ".tmp" && ++calls % 3 == 0) {
        errno = EIO;
        return -1;
    }
    return ::rename(from, to);
}

TEST(SafeFileSets, AllNewOrAllAsBefore) {
    test::ScratchDir dir;
    const char* names[] = {"g.shp", "g.shx", "g.dbf", "g.prj"};
    for (const char* n : names) {
        if (std::string(n) != "g.prj") { // one member is new: it must vanish again
            test::WriteBytes(dir.File(n), std::string("old ") + n);
        }
    }
    {
        FileSet set(FailThirdReplacement);
        for (const char* n : names) {
            set.Add(dir.File(n), WriteFailureText::Runtime).Write(std::string("new ") + n);
        }
        EXPECT_EQ(MessageOf([&] { set.Commit(); }),
                  "Cannot create file \"" + dir.File("g.dbf") + "\". " + std::strerror(EIO));
    }
    for (const char* n : {"g.shp", "g.shx", "g.dbf"}) {
        EXPECT_EQ(test::ReadBytes(dir.File(n)), std::string("old ") + n);
    }
    EXPECT_FALSE(fs::exists(dir.File("g.prj")));
    EXPECT_EQ(dir.EntryCount(), 3u);

    FileSet ok;
    for (const char* n : names) {
        ok.Add(dir.File(n), WriteFailureText::Runtime).Write(std::string("new ") + n);
    }
    ok.Commit();
    for (const char* n : names) {
        EXPECT_EQ(test::ReadBytes(dir.File(n)), std::string("new ") + n);
    }
    EXPECT_EQ(dir.EntryCount(), 4u);
}

uint32_t BigEndianAt(const std::string& bytes, std::size_t at) {
    return (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

TEST(SafeFileSets, ConcurrentWritersOfOneNameNeverMixTheirFiles) {
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid grids[] = {test::MakeGrid(s, 77, 29, 3, 2), test::MakeGrid(s, 77, 29, 40, 30),
                               test::MakeGrid(s, 77, 29, 1, 1)};
    const std::string path = dir.File("shared");
    for (int trial = 0; trial < 15; ++trial) {
        std::vector<std::thread> writers;
        for (const SheetGrid& g : grids) {
            writers.emplace_back([&] { WriteShapeFiles(path, s, g); });
        }
        for (auto& w : writers) {
            w.join();
        }
        const std::string shp = test::ReadBytes(path + ".shp");
        const std::string shx = test::ReadBytes(path + ".shx");
        const std::string dbf = test::ReadBytes(path + ".dbf");
        const std::size_t records = (shp.size() - 100) / 136;
        ASSERT_EQ(BigEndianAt(shp, 24) * 2u, shp.size());
        ASSERT_EQ((shx.size() - 100) / 8, records) << "trial " << trial;
        ASSERT_EQ((dbf.size() - 98) / 19, records) << "trial " << trial;
        ASSERT_EQ(dir.EntryCount(), 4u);
    }
}

TEST(SafeFileSets, ShapefileBeyondTheFormatLimitIsRefusedUpFront) {
    EXPECT_EQ(MaxShapefileSheets(), 31'580'641u);
    EXPECT_EQ(ShapefileBytes(1), 236u + 108u + 117u + std::strlen(Wgs84PrjText));
    test::ScratchDir dir;
    const Settings s = test::FifteenMinuteSheets();
    SheetGrid g = test::MakeGrid(s, 77, 29, 1, 1);
    g.GridCols = 5620;
    g.GridRows = 5620; // 31,584,400 cells, refused before the list is looked at
    EXPECT_EQ(MessageOf([&] { WriteShapeFiles(dir.File("huge"), s, g); }),
              TooManySheetsForShapefileText(31'584'400));
    EXPECT_NE(TooManySheetsForShapefileText(31'584'400).find("31580641"), std::string::npos);
    EXPECT_EQ(dir.EntryCount(), 0u);
}

TEST(SafeFileReplacing, TerminationRemovesTheTemporary) {
    test::ScratchDir dir;
    const std::string target = dir.File("big.kml");
    for (int sig : {SIGTERM, SIGINT}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            StagedFile f(target, WriteFailureText::Runtime);
            f.Write(std::string(3 << 20, 'k'));
            std::raise(sig);
            std::_Exit(3); // not reached: the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        EXPECT_EQ(dir.EntryCount(), 0u);
    }
}

// The workbook's scratch file: there while held, gone when dropped or when a
// signal ends the process, and a folder that cannot hold it named in the refusal.
TEST(TemporaryFiles, ScratchFileLivesWhileHeldAndGoesOnASignal) {
    test::ScratchDir dir;
    std::filesystem::path made;
    {
        const TemporaryFile file(std::filesystem::path(dir.File("scratch-")));
        made = file.Path();
        EXPECT_EQ(made.parent_path(), std::filesystem::path(dir.File("scratch-")).parent_path());
        EXPECT_TRUE(std::filesystem::is_regular_file(made));
        EXPECT_EQ(std::filesystem::file_size(made), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(made));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const TemporaryFile file(std::filesystem::path(dir.File("scratch-")));
        std::raise(SIGTERM);
        std::_Exit(3); // not reached: the signal ends the process
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(dir.EntryCount(), 0u);
    try {
        const TemporaryFile file(std::filesystem::path(dir.File("missing/scratch-")));
        ADD_FAILURE() << "made a file in a missing folder";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot create file"), std::string::npos) << e.what();
    }
}

TEST(SafeFileReading, OnlyRegularFilesWithinTheLimit) {
    test::ScratchDir dir;
    const std::string fifo = dir.File("in.kml");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(MessageOf([&] { ReadWholeFile(fifo, ReadFailureText::Runtime); }),
              "Cannot open file \"" + fifo + "\". It is a FIFO (named pipe), not a file");
    EXPECT_EQ(MessageOf([] { ReadWholeFile("/dev/zero", ReadFailureText::CannotOpen); }),
              "Cannot open file \"/dev/zero\". It is a device, not a file");
    EXPECT_EQ(MessageOf([&] { ReadWholeFile(dir.Path().string(), ReadFailureText::Runtime); }),
              "Cannot open file \"" + dir.Path().string() + "\". It is a folder, not a file");

    const std::string big = dir.File("big.txt");
    test::WriteBytes(big, std::string(3 << 20, 'x'));
    EXPECT_EQ(MessageOf([&] { ReadWholeFile(big, ReadFailureText::Runtime, 2 << 20); }),
              "The file \"" + big + "\" is 3 MB; files of more than 2 MB are not read");

    const InputFile part(big, ReadFailureText::Runtime, MaxWholeFileBytes);
    EXPECT_EQ(part.Size(), 3u << 20);
    EXPECT_EQ(part.Read((3 << 20) - 2, 100), "xx");
    EXPECT_EQ(part.Read(5 << 20, 10), "");
}

} // namespace
} // namespace sw
