#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/FileReading.h"
#include "exchange/NumberText.h"
#include "exchange/SafeFile.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace sw {
namespace {

TEST(FileNames, ExtensionOfTheLastComponentOnly) {
    EXPECT_EQ(ReplaceExtension("/tmp/grid", ".shp"), "/tmp/grid.shp");
    EXPECT_EQ(ReplaceExtension("/tmp/grid.kml", ".shp"), "/tmp/grid.shp");
    EXPECT_EQ(ReplaceExtension("/tmp/a.b.c", ".dbf"), "/tmp/a.b.dbf");
    EXPECT_EQ(ReplaceExtension("/my.folder/grid", ".shx"), "/my.folder/grid.shx");
    EXPECT_EQ(ReplaceExtension("C:\\my.dir\\grid", ".kml"), "C:\\my.dir\\grid.kml");
    EXPECT_EQ(ReplaceExtension("grid.", ".kml"), "grid.kml");
    EXPECT_EQ(LowerExtension("/x.y/Route.KML"), ".kml");
    EXPECT_EQ(LowerExtension("/x.y/route"), "");
}

// The OGR writer and the registry's file list both name a shapefile this way.
TEST(FileNames, ShapefileKeepsItsOwnExtensionInAnyCaseAndGetsOneOtherwise) {
    EXPECT_EQ(ShapefileMainPath("/x.y/grid.SHP"), std::filesystem::path("/x.y/grid.SHP"));
    EXPECT_EQ(ShapefileMainPath("/x.y/grid.kml"), std::filesystem::path("/x.y/grid.shp"));
    EXPECT_EQ(ShapefileMainPath("/x.y/grid"), std::filesystem::path("/x.y/grid.shp"));
}

TEST(NumberText, FifteenSignificantDigitsAnyLocale) {
    EXPECT_EQ(FormatGeneral15(77.0), "77");
    EXPECT_EQ(FormatGeneral15(77.25), "77.25");
    EXPECT_EQ(FormatGeneral15(28.0 + (20.0 / 60.0)), "28.3333333333333");
    EXPECT_EQ(FormatGeneral15(28.75, ','), "28,75");
    EXPECT_EQ(FormatGeneral15(0.0), "0");
    EXPECT_EQ(FormatGeneral15(-0.5), "-0.5");
    EXPECT_EQ(FormatGeneral15(1.0 / 3600.0), "0.000277777777777778");
}

TEST(SafeFile, RuntimeTexts) {
    EXPECT_EQ(RuntimeIoText(ENOENT), "File not found");
    EXPECT_EQ(RuntimeIoText(EACCES), "File access denied");
    EXPECT_EQ(RuntimeIoText(ENOSPC), "Disk full");
    EXPECT_EQ(RuntimeIoText(EIO), "I/O error " + std::to_string(EIO));
}

TEST(SafeFile, StagedFileIsInvisibleUntilCommittedAndGoneIfNot) {
    test::ScratchDir dir;
    const std::string target = dir.File("out.bin");
    test::WriteBytes(target, "old");
    {
        StagedFile staged(target, "new", WriteFailureText::Runtime);
        EXPECT_EQ(test::ReadBytes(target), "old");
        EXPECT_EQ(test::ReadBytes(staged.TemporaryPath()), "new");
        EXPECT_EQ(std::filesystem::path(staged.TemporaryPath()).parent_path(), dir.Path());
    }
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_EQ(dir.EntryCount(), 1u);

    ReplaceFileContents(target, "new", WriteFailureText::Runtime);
    EXPECT_EQ(test::ReadBytes(target), "new");
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(SafeFile, ReadOnlyTargetOrFolderIsRefused) {
    test::ScratchDir dir;
    const std::string target = dir.File("locked.xls");
    test::WriteBytes(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    if (::access(target.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    EXPECT_THROW(ReplaceFileContents(target, "new", WriteFailureText::StreamWriteError), FileError);
    EXPECT_THROW(ReplaceFileContents(dir.File("fresh.xls"), "new", WriteFailureText::Runtime),
                 FileError);
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(SafeFile, WholeFileReads) {
    test::ScratchDir dir;
    std::string big(200'000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7);
    }
    test::WriteBytes(dir.File("big"), big);
    EXPECT_EQ(ReadWholeFile(dir.File("big"), ReadFailureText::Runtime), big);

    try {
        ReadWholeFile(dir.File("none"), ReadFailureText::Runtime);
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found");
    }
    try {
        ReadWholeFile(dir.File("none"), ReadFailureText::CannotOpen);
        ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + dir.File("none") + "\". No such file or directory");
    }
    EXPECT_THROW(ReadWholeFile(dir.Path().string(), ReadFailureText::Runtime), FileError);
}

// A path's bytes reach messages and the file system as they are: a UTF-8 name and
// a Latin-1 one that is no valid UTF-8 alike, whatever the locale.
TEST(SafeFile, PathBytesKeptInFilesAndMessages) {
    test::ScratchDir dir;
    for (const std::string name : {"\xc3\xa1rea", "\xe1rea"}) {
        const std::filesystem::path path = dir.File(name);
        ReplaceFileContents(path, "abc", WriteFailureText::Runtime);
        EXPECT_EQ(test::ReadBytes(dir.File(name)), "abc");
        EXPECT_EQ(QuotedPath(path), "\"" + dir.File(name) + "\"");
        try {
            ReadWholeFile(dir.File(name + "-none"), ReadFailureText::CannotOpen);
            ADD_FAILURE() << "no error";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + dir.File(name + "-none") +
                                                 "\". No such file or directory");
        }
    }
}

} // namespace
} // namespace sw
