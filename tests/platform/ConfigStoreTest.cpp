#include "platform/system/ConfigStore.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

TEST(ConfigStoreTest, ValuesRoundTripPerProgram)
{
    testsupport::ScopedConfigHome home;
    platform::CConfigStore editor("Patchora");
    platform::CConfigStore updater("Bootwren");

    EXPECT_FALSE(editor.Read("StayOnTop"));
    const std::vector<uint8_t> placement{0, 1, 2, 0xFF, 0, 44};
    EXPECT_TRUE(editor.Write("MainFramePlacement", placement));
    EXPECT_TRUE(editor.Write("StayOnTop", Bytes("\x01")));
    EXPECT_TRUE(editor.Write("StayOnTop", Bytes(""))); // replaced, may be empty
    EXPECT_EQ(editor.Read("MainFramePlacement"), placement);
    EXPECT_EQ(editor.Read("StayOnTop"), std::vector<uint8_t>{});
    EXPECT_FALSE(updater.Read("MainFramePlacement"));

    const fs::path folder = home.Path() / "config" / "Torvan" / "Patchora";
    EXPECT_EQ(platform::UserConfigDirectory("Patchora"), folder.string() + "/");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2)
        << "one file per value and no temporary left";

    EXPECT_TRUE(editor.Remove("StayOnTop"));
    EXPECT_FALSE(editor.Read("StayOnTop"));
    EXPECT_TRUE(editor.Remove("StayOnTop")) << "removing a missing value is no failure";
}

TEST(ConfigStoreTest, NamesCannotLeaveTheFolder)
{
    testsupport::ScopedConfigHome home;
    platform::CConfigStore store("Patchora");
    for (const char* name : {"", "../escape", "a/b", ".hidden"}) {
        EXPECT_FALSE(store.Write(name, Bytes("x"))) << name;
        EXPECT_FALSE(store.Read(name)) << name;
    }
    EXPECT_FALSE(fs::exists(home.Path() / "config" / "Torvan" / "escape.value"));
}

TEST(ConfigStoreTest, WithoutConfigHomeTheHomesConfigFolderIsUsed)
{
    testsupport::ScopedConfigHome scope;
    const std::string oldHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", scope.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    const std::string folder = platform::UserConfigDirectory("Bootwren");
    setenv("HOME", oldHome.c_str(), 1);
    EXPECT_EQ(folder, (scope.Path() / ".config" / "Torvan" / "Bootwren").string() + "/");
}

} // namespace

namespace {

TEST(ConfigStoreTest, AValueFileOverTheLimitOrNotARegularFileIsAbsent)
{
    testsupport::ScopedConfigHome home;
    platform::CConfigStore store("Patchora");
    ASSERT_TRUE(store.Write("Probe", Bytes("x")));
    const fs::path folder = home.Path() / "config" / "Torvan" / "Patchora";
    const size_t limit = platform::CConfigStore::kMaxValueBytes;
    EXPECT_TRUE(store.Write("Largest", std::vector<uint8_t>(limit, 7)));
    EXPECT_EQ(store.Read("Largest")->size(), limit);
    EXPECT_TRUE(store.Write("TooLarge", std::vector<uint8_t>(limit + 1, 7)));
    EXPECT_FALSE(store.Read("TooLarge"));
    // A huge sparse file is refused before anything is read.
    {
        std::ofstream create(folder / "Huge.value");
    }
    fs::resize_file(folder / "Huge.value", uint64_t{1} << 40);
    EXPECT_FALSE(store.Read("Huge"));
    ASSERT_EQ(mkfifo((folder / "Pipe.value").c_str(), 0600), 0);
    EXPECT_FALSE(store.Read("Pipe")) << "read without waiting for a writer";
    fs::create_directory(folder / "Folder.value");
    EXPECT_FALSE(store.Read("Folder"));
}

} // namespace
