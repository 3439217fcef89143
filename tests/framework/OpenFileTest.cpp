#include "framework/base/Exceptions.h"
#include "framework/files/FileSpec.h"
#include "framework/files/OpenFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

using namespace NSHarrowen;
namespace fs = std::filesystem;

namespace {

const std::string kOldContent = "the user's previous patch\r\n";

size_t EntriesIn(const fs::path& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(OpenFileTest, WrittenFileReadsBackBigEndian)
{
    testsupport::TempDir dir;
    const CFileSpec spec(dir.File("values.bin"));
    {
        COpenFile out(spec, 0, 0);
        out.WriteLong32(0x01020304);
        out.WriteWord16(0xA0B0);
        out.WriteAt(0, 1, "\xFF");
        EXPECT_EQ(out.GetSize(), 6u);
        out.Commit();
    }
    EXPECT_EQ(testsupport::ReadFileBytes(spec.GetFullPath()), std::string("\xFF\x02\x03\x04\xA0\xB0", 6));

    COpenFile in(spec);
    EXPECT_EQ(in.GetSize(), 6u);
    EXPECT_EQ(in.ReadLong32(), 0xFF020304u);
    EXPECT_EQ(in.PeekByte(), 0xA0);
    EXPECT_EQ(in.ReadWord16(), 0xA0B0);
    EXPECT_THROW(in.ReadByte(), XRead);
    in.SetPosition(1);
    EXPECT_EQ(in.GetPosition(), 1u);
    EXPECT_THROW(in.Write(1, "x"), XWrite);
}

TEST(OpenFileTest, OpeningFailuresThrowCreateFailed)
{
    testsupport::TempDir dir;
    EXPECT_THROW(COpenFile(CFileSpec(dir.File("missing.pch"))), XCreateFailed);
    EXPECT_THROW(COpenFile(CFileSpec(dir.Path().string() + "/")), XCreateFailed);
    EXPECT_THROW(COpenFile(CFileSpec(dir.File("no-folder/x.pch")), 0, 0), XCreateFailed);
}

TEST(OpenFileTest, ReplacingAFileKeepsNothingOfTheOld)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("p.pch"), kOldContent);
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(dir.File("p.pch"), mode);
    COpenFile(CFileSpec(dir.File("p.pch")), 0, 0).WriteByte('n'); // committed when it goes away
    EXPECT_EQ(testsupport::ReadFileBytes(dir.File("p.pch")), "n");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
    EXPECT_EQ(fs::status(dir.File("p.pch")).permissions(), mode) << "the replaced file keeps its mode";
}

// A save that stops midway, by an error of the writer or of the disk, must
// leave the previous file exactly as it was and no temporary file behind.
TEST(OpenFileTest, FailedSaveLeavesThePreviousFileIntact)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("song.pch");
    testsupport::WriteFileBytes(path, kOldContent);
    const CFileSpec spec(path);

    struct WriterFailure { };
    EXPECT_THROW(
        {
            COpenFile out(spec, 0, 0);
            out.Write(5, "[Head");
            throw WriterFailure();
        },
        WriterFailure);
    EXPECT_EQ(testsupport::ReadFileBytes(path), kOldContent);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);

    // A write error caught inside the writer's scope does not let the half
    // file through either.
    {
        COpenFile out(spec, 0, 0);
        out.Write(5, "[Head");
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 64; // the disk is "full" past 64 bytes
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const std::string big(1000, 'x');
        EXPECT_THROW(out.Write(static_cast<uint32_t>(big.size()), big.data()), XWrite);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_THROW(out.Commit(), XWrite);
    }
    EXPECT_EQ(testsupport::ReadFileBytes(path), kOldContent);
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(OpenFileTest, SavingThroughALinkReplacesTheLinkedFile)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("real.pch"), kOldContent);
    fs::create_symlink(dir.File("real.pch"), dir.File("link.pch"));
    {
        COpenFile out(CFileSpec(dir.File("link.pch")), 0, 0);
        out.Write(3, "new");
        out.Commit();
        out.Commit(); // a second commit changes nothing
    }
    EXPECT_TRUE(fs::is_symlink(dir.File("link.pch")));
    EXPECT_EQ(testsupport::ReadFileBytes(dir.File("real.pch")), "new");
}

} // namespace
