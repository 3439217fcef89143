#include "framework/files/DirIterator.h"
#include "framework/base/Exceptions.h"
#include "framework/files/FileSpec.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileTypes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <unistd.h>

using namespace NSHarrowen;
namespace fs = std::filesystem;

namespace {

TEST(FileSpecTest, SplitsAPathIntoFolderNameAndExtension)
{
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
    };
    // A folder that does not exist keeps its parts as written.
    const Case cases[] = {
        {"/no-such-torvan/data/archive.backup2", "/no-such-torvan/data/", "archive", ".backup2"},
        {"/no-such-torvan/data/archive.backup22", "/no-such-torvan/data/", "archive.backup22", ""},
        {"/no-such-torvan/.hidden", "/no-such-torvan/", "", ".hidden"},
        {"/no-such-torvan/song.tar.gz", "/no-such-torvan/", "song.tar", ".gz"},
        {"/no-such-torvan/README", "/no-such-torvan/", "README", ""},
        {"/no-such-torvan//a/./b.pch", "/no-such-torvan/a/", "b", ".pch"},
        {"/no-such-torvan/folder/", "/no-such-torvan/folder/", "", ""},
        {"/Straße/Lied.pch", "/Straße/", "Lied", ".pch"},
    };
    for (const Case& c : cases) {
        const CFileSpec spec(c.path);
        EXPECT_EQ(spec.GetDirectoryPath(), c.directory) << c.path;
        EXPECT_EQ(spec.GetBaseName(), c.name) << c.path;
        EXPECT_EQ(spec.GetExtension(), c.extension) << c.path;
        EXPECT_EQ(spec.GetFileName(), std::string(c.name) + c.extension) << c.path;
    }
    EXPECT_THROW(CFileSpec(""), XBase);
}

TEST(FileSpecTest, LongFormTakesTheFileSystemsLetterCase)
{
    testsupport::TempDir dir;
    fs::create_directories(dir.Path() / "Patches");
    testsupport::WriteFileBytes((dir.Path() / "Patches" / "MySong.PCH").string(), "x");

    const CFileSpec spec(dir.Path().string() + "/patches/mysong.pch");
    EXPECT_EQ(spec.GetDirectoryPath(), dir.Path().string() + "/Patches/");
    EXPECT_EQ(spec.GetBaseName(), "MySong");
    EXPECT_EQ(spec.GetExtension(), ".PCH");
    EXPECT_TRUE(spec.Exists());

    // A name that does not exist yet keeps the case it was typed in.
    const CFileSpec fresh(dir.Path().string() + "/PATCHES/New.pch");
    EXPECT_EQ(fresh.GetFullPath(), dir.Path().string() + "/Patches/New.pch");
    EXPECT_FALSE(fresh.Exists());
    EXPECT_FALSE(CFileSpec(dir.Path().string() + "/Patches/").Exists()) << "a folder is not a file";
}

TEST(FileSpecTest, RelativePathsAreTakenFromTheCurrentFolder)
{
    testsupport::TempDir dir;
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    const CFileSpec spec("sub/x.txt");
    fs::current_path(before);
    EXPECT_EQ(spec.GetFullPath(), dir.Path().string() + "/sub/x.txt");
}

TEST(FileSpecTest, FolderSpecsAndTheirFiles)
{
    testsupport::TempDir dir;
    const CDirSpec folder(dir.Path().string());
    EXPECT_EQ(folder.GetPath(), dir.Path().string() + "/");

    const auto file = folder.MakeFileSpec("bank/03.pch");
    EXPECT_EQ(file->GetDirectoryPath(), dir.Path().string() + "/bank/");
    EXPECT_EQ(file->GetBaseName(), "03");
    EXPECT_EQ(file->MakeDirSpec()->GetPath(), dir.Path().string() + "/bank/");

    CFileSpec copy(folder.GetPath(), "Name", ".pch");
    copy.SetExtension(".txt");
    EXPECT_EQ(copy.GetFullPath(), dir.Path().string() + "/Name.txt");
    EXPECT_EQ(copy.GetFileType(), CUnknownFileType(".txt"));
    const auto clone = copy.Clone();
    EXPECT_EQ(dynamic_cast<CFileSpec&>(*clone).GetFullPath(), copy.GetFullPath());
}

TEST(FileSpecTest, SettingsFolderLiesInTheUsersConfigHome)
{
    testsupport::ScopedConfigHome home;
    const auto folder = MakeWindowsDirSpec();
    const std::string prefix = (home.Path() / "config" / "Torvan").string() + "/";
    EXPECT_EQ(folder->GetPath().rfind(prefix, 0), 0u) << folder->GetPath();
    EXPECT_TRUE(fs::is_directory(folder->GetPath()));
}

TEST(FileSpecTest, DirectoryListingSkipsDotEntries)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("a.pch"), "12345");
    testsupport::WriteFileBytes(dir.File(".hidden"), "");
    fs::create_directory(dir.Path() / "Bank 1");

    std::map<std::string, CFileTypeEntry> seen;
    CDirIterator it(CDirSpec(dir.Path().string()));
    while (auto entry = it.Next())
        seen[entry->name] = *entry;
    EXPECT_EQ(it.Next(), nullptr);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen["a.pch"].size, 5u);
    EXPECT_EQ(seen["a.pch"].type, CUnknownFileType(".pch"));
    EXPECT_GT(seen["a.pch"].writeTime, 0);
    EXPECT_FALSE(seen["a.pch"].directory);
    EXPECT_TRUE(seen[".hidden"].hidden);
    EXPECT_TRUE(seen["Bank 1"].directory);

    CDirIterator missing(CDirSpec(dir.Path().string() + "/none"));
    EXPECT_EQ(missing.Next(), nullptr);
}

TEST(FileTypesTest, OpenAndSaveFilters)
{
    using namespace std::string_literals;
    const CFileTypeList types{kFileTypeText, kFileTypeJPEG};
    EXPECT_EQ(MakeOpenFilter(types),
              "Text File (*.txt;*.doc)\0*.txt;*.doc\0"
              "JPEG Bitmap (*.jpeg;*.jpg)\0*.jpeg;*.jpg\0"
              "All files (*.txt;*.doc;*.jpeg;*.jpg)\0*.txt;*.doc;*.jpeg;*.jpg\0"s);
    EXPECT_EQ(MakeSaveFilter(kFileTypeBinary), "Undefined Binary (*.bin)\0*.bin\0"s);
    const CFileTypeInfo patchList{"Patch list", ".pchList", "PCHL"};
    EXPECT_EQ(MakeSaveFilter(patchList), "Patch list (*.pchList)\0*.pchList\0"s);
}

TEST(FileTypesTest, MatchingByTypeCodeOrExtension)
{
    struct Case {
        const CFileTypeInfo* type;
        const char* fileName;
        const char* code;
        bool matches;
    };
    const Case cases[] = {
        {&kFileTypeMidi, "SONG.MID", "", true},     {&kFileTypeMidi, "song.midi", "", true},
        {&kFileTypeMidi, "song.mi", "", false},     {&kFileTypeMidi, "midi", "", false},
        {&kFileTypeMidi, "whatever", "Midi", true}, {&kFileTypeBMP, "x.jpg", "BMP ", true},
        {&kFileTypeJPEG, "photo.JPeG", "", true},   {&kFileTypeWave, "a.wav.bak", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesFileType(*c.type, c.fileName, c.code), c.matches) << c.fileName << " / " << c.type->type;

    const CFileTypeList types{kFileTypeText, kFileTypeMidi, kFileTypeBinary};
    EXPECT_EQ(FindFileType(types, "x.BIN"), &*(types.begin() + 2));
    EXPECT_EQ(FindFileType(types, "x.pch"), nullptr);
    EXPECT_TRUE(MatchesFileType(kFileTypeText, CFileSpec("/no-such-torvan/READ.ME.TXT")));

    EXPECT_EQ(CountExtensions(kFileTypeJPEG), 2);
    EXPECT_EQ(CountExtensions(kFileTypeBinary), 1);
    EXPECT_EQ(GetExtensionAt(kFileTypeJPEG, 1), ".jpg");
    EXPECT_EQ(GetExtensionAt(kFileTypeJPEG, 2), "");
    EXPECT_EQ(GetExtensionAt({"Long", ".abcdefghijkl", "LONG"}, 0), ".abcdefghi");
}

} // namespace
