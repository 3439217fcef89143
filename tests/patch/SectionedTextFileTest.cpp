#include "framework/files/FileSpec.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/files/XFileBase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using NSHarrowen::CFileSpec;

namespace {

// Reads a file written with the given bytes, as the patch and list readers do.
class SectionedTextFileTest : public ::testing::Test {
protected:
    CSectionedTextFile& Load(const std::string& bytes)
    {
        testsupport::WriteFileBytes(dir.File("text.pch"), bytes);
        file.SetText({}); // reading appends to the text
        file.OpenForRead(CFileSpec(dir.File("text.pch")));
        file.ReadAll();
        file.CloseFile();
        return file;
    }

    // The XFileBase text that reading the bytes whole gives, or "" when none.
    std::string ReadError(const std::string& bytes)
    {
        try {
            CSectionedTextFile fresh;
            testsupport::WriteFileBytes(dir.File("size.pch"), bytes);
            fresh.OpenForRead(CFileSpec(dir.File("size.pch")));
            fresh.ReadAll();
        } catch (const XFileBase& error) {
            EXPECT_EQ(error.GetNumber(), 1u);
            return error.GetText();
        }
        return {};
    }

    testsupport::TempDir dir;
    CSectionedTextFile file;
};

TEST_F(SectionedTextFileTest, ReadsFilesFromOneByteUpToTheLimit)
{
    const std::string refused = "File format or Alias is not a Kandrel file!";
    EXPECT_EQ(ReadError(""), refused);
    EXPECT_EQ(ReadError("x"), "");
    // Far beyond the 20,000 bytes of a small patch: the largest one written,
    // with long notes, must load again.
    EXPECT_EQ(ReadError(std::string(CSectionedTextFile::kMaxReadSize, 'x')), "");
    EXPECT_EQ(ReadError(std::string(CSectionedTextFile::kMaxReadSize + 1, 'x')), refused);

    CSectionedTextFile missing;
    try {
        missing.OpenForRead(CFileSpec(dir.File("absent.pch")));
        FAIL() << "a missing file opened";
    } catch (const XFileBase& error) {
        EXPECT_EQ(error.GetText(), "Can't Open file");
        EXPECT_EQ(error.GetNumber(), 1u);
    }
}

TEST_F(SectionedTextFileTest, NumbersAreWrittenWithOneBlankAfterEach)
{
    file.WriteByte(7);
    file.WriteSignedByte(-2);
    file.WriteBool(true);
    file.WriteNewline();
    file.WriteShort(-600);
    file.WriteUnsigned(4000000000u);
    file.WriteSigned(-2147483647 - 1);
    file.WriteSectionBegin("Header");
    file.WriteSectionEnd("Header");
    file.WriteLine("text");
    file.WriteCString("tail");
    const CFileSpec spec(dir.File("out.pch"));
    file.OpenForWrite(spec, "VESK", "PCH ");
    file.WriteAll();
    file.CloseFile();
    EXPECT_EQ(testsupport::ReadFileBytes(spec.GetFullPath()),
              "7 -2 1 \r\n-600 4000000000 -2147483648 [Header]\r\n[/Header]\r\ntext\r\ntail");
}

TEST_F(SectionedTextFileTest, NumberReadersAcceptWhatTheWritersWriteAndFailOnTheRest)
{
    Load("  12\r\n-5\t300 -1 65535 65536 ");
    EXPECT_EQ(file.ReadSigned(), 12);
    EXPECT_EQ(file.ReadUnsigned(), 0u); // "-5" is no unsigned number
    EXPECT_TRUE(file.Failed());

    Load("-5 300 -1 65535 1 0 x");
    EXPECT_EQ(file.ReadSigned(), -5);
    EXPECT_EQ(file.ReadLowByte(), 44);
    EXPECT_EQ(file.ReadLowByte(), 255);
    EXPECT_EQ(file.ReadUShortByte(), 255);
    EXPECT_TRUE(file.ReadBool());
    EXPECT_FALSE(file.ReadBool());
    EXPECT_FALSE(file.Failed());
    EXPECT_EQ(file.ReadSigned(), 0);
    EXPECT_TRUE(file.Failed());
    // A failed stream yields nothing further.
    std::string line = "kept";
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_EQ(line, "kept");

    for (const char* text : {"2", "65536", "4294967296", "-"}) {
        Load(text);
        if (std::string(text) == "2")
            file.ReadBool();
        else if (std::string(text) == "65536")
            file.ReadUShortByte();
        else
            file.ReadSigned();
        EXPECT_TRUE(file.Failed()) << text;
    }
}

TEST_F(SectionedTextFileTest, LinesDropOneCROnEachSideAndOneLeadingBlank)
{
    Load("\r  two blanks\r\nLF only\n\rboth\r\r\nlast without LF");
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, " two blanks");
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "LF only");
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "both\r");
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "last without LF");
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_EQ(line, "last without LF");
}

TEST_F(SectionedTextFileTest, LongLinesAreReadWhole)
{
    // The notes editor allows 5,000 characters in a paragraph.
    const std::string paragraph(5000, 'n');
    Load(paragraph + "\r\nnext\r\n");
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, paragraph);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "next");
}

TEST_F(SectionedTextFileTest, SectionsAreFoundForwardOnlyAndAsWholeLines)
{
    Load("[A]\r\n 1 \r\n[/A]\r\n [Header]\r\n[B] \r\n  [B]\r\n");
    EXPECT_TRUE(file.SeekSection("A"));
    EXPECT_EQ(file.ReadSigned(), 1);
    EXPECT_FALSE(file.MatchSectionEnd("B")); // consumes "[/A]"
    const size_t position = file.GetReadPosition();
    EXPECT_FALSE(file.SeekSection("A"));
    EXPECT_EQ(file.GetReadPosition(), position);
    EXPECT_TRUE(file.SeekSection("Header")); // one blank in front
    EXPECT_FALSE(file.SeekSection("B"));     // a blank behind, two in front
    EXPECT_FALSE(file.Failed());

    file.Rewind();
    EXPECT_TRUE(file.SeekSection("A"));
    EXPECT_FALSE(file.MatchSectionEnd("A")); // a number stands before the end
    EXPECT_EQ(file.ReadSigned(), 1);
    EXPECT_TRUE(file.MatchSectionEnd("A"));

    // A search on a failed stream clears the failure and looks no further.
    file.ReadSigned();
    ASSERT_TRUE(file.Failed());
    EXPECT_FALSE(file.SeekSection("Header"));
    EXPECT_FALSE(file.Failed());
    EXPECT_TRUE(file.SeekSection("Header"));
}

TEST_F(SectionedTextFileTest, LfOnlyFilesReadLikeCrLfFiles)
{
    const std::string crlf = "[S]\r\n1 2 \r\nname here\r\n[/S]\r\n";
    std::string lf = crlf;
    std::erase(lf, '\r');
    for (const std::string& text : {crlf, lf}) {
        Load(text);
        ASSERT_TRUE(file.SeekSection("S"));
        EXPECT_EQ(file.ReadSigned(), 1);
        EXPECT_EQ(file.ReadSigned(), 2);
        std::string line;
        ASSERT_TRUE(file.ReadLine(line)); // the rest of the numbers' line
        ASSERT_TRUE(file.ReadLine(line));
        EXPECT_EQ(line, "name here");
        EXPECT_TRUE(file.MatchSectionEnd("S"));
    }
}

TEST_F(SectionedTextFileTest, LastLineOfSectionStepsFromSectionLineToSectionLine)
{
    Load("head=1\r\n[One]\r\na=1\r\nb=2\r\n[Two]\r\n");
    std::string line;
    ASSERT_TRUE(file.ReadLastLineOfSection(line));
    EXPECT_EQ(line, "head=1");
    ASSERT_TRUE(file.ReadLastLineOfSection(line));
    EXPECT_EQ(line, "[One]");
    ASSERT_TRUE(file.ReadLastLineOfSection(line));
    EXPECT_EQ(line, "b=2");
    ASSERT_TRUE(file.ReadLastLineOfSection(line));
    EXPECT_EQ(line, "[Two]");
    EXPECT_FALSE(file.ReadLastLineOfSection(line));
}

// Whether a file may be written over is what its mode bits give the user:
// the owner's for its owner, the others' for anyone else (the superuser
// included). A refused file stays as it was.
TEST_F(SectionedTextFileTest, AFileTheUserMayNotWriteIsRefusedAndKept)
{
    const uid_t someoneElse = 65534; // nobody, in the group nogroup
    const struct {
        const char* name;
        mode_t mode;
        bool foreign; // owned by another user (made so only where the test may)
        bool written;
    } cases[] = {
        {"own, read-only", 0444, false, false},
        {"own, writable by the others only", 0446, false, false},
        {"own, writable", 0644, false, true},
        {"another's, writable by its owner", 0644, true, false},
        {"another's, writable by everybody", 0646, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CFileSpec spec(dir.File(std::string(c.name) + ".pch"));
        testsupport::WriteFileBytes(spec.GetFullPath(), "old patch");
        ASSERT_EQ(chmod(spec.GetFullPath().c_str(), c.mode), 0);
        if (c.foreign && chown(spec.GetFullPath().c_str(), someoneElse, someoneElse) != 0)
            continue; // only the superuser may give a file away
        CSectionedTextFile out;
        out.WriteText("new patch");
        std::string text;
        try {
            out.OpenForWrite(spec, "VESK", "PCH ");
            out.WriteAll();
            out.CloseFile();
        } catch (const XFileBase& error) {
            text = error.GetText();
        }
        EXPECT_EQ(text, c.written ? "" : "Can't Write file");
        EXPECT_EQ(testsupport::ReadFileBytes(spec.GetFullPath()), c.written ? "new patch" : "old patch");
        struct stat st { };
        ASSERT_EQ(stat(spec.GetFullPath().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
    }
}

TEST_F(SectionedTextFileTest, AFailedSaveLeavesTheOldFileAsItWas)
{
    const CFileSpec spec(dir.File("keep.pch"));
    testsupport::WriteFileBytes(spec.GetFullPath(), "old patch");
    file.WriteText(std::string(100000, 'x'));
    file.OpenForWrite(spec, "VESK", "PCH ");

    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096; // the disk is "full" past 4 KB
    auto* const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    std::string text;
    try {
        file.WriteAll();
    } catch (const XFileBase& error) {
        text = error.GetText();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    file.CloseFile();

    EXPECT_EQ(text, "Can't Write file");
    EXPECT_EQ(testsupport::ReadFileBytes(spec.GetFullPath()), "old patch");

    CSectionedTextFile nowhere;
    try {
        nowhere.OpenForWrite(CFileSpec(dir.File("no/such/folder/x.pch")), "VESK", "PCH ");
        FAIL() << "created a file in a missing folder";
    } catch (const XFileBase& error) {
        EXPECT_EQ(error.GetText(), "Can't Create file");
    }
}

TEST_F(SectionedTextFileTest, RewindKeepsTheTextForReadingAndWritingStartsAfresh)
{
    file.WriteLine("first line that is long");
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    file.Rewind();
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "first line that is long");
    file.Rewind();
    file.WriteLine("short");
    EXPECT_EQ(file.GetText(), "short\r\n");
}

} // namespace
