#include "framework/base/Exceptions.h"
#include "framework/application/SingleInstance.h"
#include "framework/application/StartupRecord.h"
#include "platform/system/Clock.h"
#include "platform/system/ScopedClock.h"
#include "platform/system/VirtualClock.h"
#include "platform/system/SharedInstanceBlock.h"
#include "tests/support/ScopedProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace NSHarrowen;

namespace {

// Second copies are real processes: this test program started again to run
// one of the child cases below, with the key and its argument in the environment.
pid_t StartCopy(const std::string& mode, const std::string& key, const std::string& argument = {})
{
    setenv("TORVAN_INSTANCE_TEST_KEY", key.c_str(), 1);
    setenv("TORVAN_INSTANCE_TEST_ARG", argument.c_str(), 1);
    return testsupport::StartTiedProcess(
        {"/proc/self/exe", "--gtest_filter=InstanceChild.DISABLED_" + mode, "--gtest_also_run_disabled_tests"});
}

int WaitCopy(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunCopy(const std::string& mode, const std::string& key, const std::string& argument = {})
{
    return WaitCopy(StartCopy(mode, key, argument));
}

std::string ChildKey()
{
    return getenv("TORVAN_INSTANCE_TEST_KEY");
}
std::string ChildArgument()
{
    return getenv("TORVAN_INSTANCE_TEST_ARG");
}

// A fresh key and runtime folder per test, so tests never meet a real copy.
class SingleInstance : public ::testing::Test {
protected:
    void SetUp() override
    {
        key_ =
            "test" + std::to_string(getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        UseSharedInstanceKey(key_);
    }
    void TearDown() override
    {
        ReleaseFirstInstance();
        UseSharedInstanceKey({});
        platform::CSharedInstanceBlock::Remove(key_);
    }
    std::string key_;
    testsupport::ScopedConfigHome home_;
};

int forwardedEntryCalls = 0;
int CountingEntry(CStartupRecord&)
{
    ++forwardedEntryCalls;
    return 0;
}

} // namespace

// --- the second copies ---

TEST(InstanceChild, DISABLED_Start)
{
    UseSharedInstanceKey(ChildKey());
    const std::string argument = ChildArgument();
    const char* argv[] = {"program", argument.c_str()};
    RunProgramMain(argument.empty() ? 1 : 2, argv, CountingEntry);
    std::_Exit(forwardedEntryCalls == 0 ? 10 : 11); // 10: handed over, 11: ran as the first copy
}

// The argument split at its blanks, as a shell passes an unquoted name.
TEST(InstanceChild, DISABLED_StartWithWords)
{
    UseSharedInstanceKey(ChildKey());
    std::vector<std::string> words{"program"};
    const std::string argument = ChildArgument();
    for (size_t at = 0; at <= argument.size();) {
        const size_t blank = std::min(argument.find(' ', at), argument.size());
        words.push_back(argument.substr(at, blank - at));
        at = blank + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    RunProgramMain(static_cast<int>(argv.size()), argv.data(), CountingEntry);
    std::_Exit(forwardedEntryCalls == 0 ? 10 : 11);
}

TEST(InstanceChild, DISABLED_DieWhileRunning)
{
    UseSharedInstanceKey(ChildKey());
    const char* argv[] = {"program"};
    RunProgramMain(1, argv, [](CStartupRecord&) -> int {
        GetSharedInstanceBlock().SetFrame(0x1234);
        std::_Exit(3); // ends abnormally: nothing is released
    });
    std::_Exit(4);
}

TEST(InstanceChild, DISABLED_ThrowWhileRunning)
{
    UseSharedInstanceKey(ChildKey());
    const char* argv[] = {"program"};
    RunProgramMain(1, argv, [](CStartupRecord&) -> int {
        GetSharedInstanceBlock().SetFrame(0x1234);
        throw XBase();
    });
    const auto& data = GetSharedInstanceBlock().Data();
    std::_Exit(data.running == 0 && data.frame == 0 ? 5 : 6);
}

// --- the running copy ---

TEST_F(SingleInstance, SecondStartHandsItsCommandLineToTheRunningCopy)
{
    ASSERT_TRUE(ClaimFirstInstance());
    GetSharedInstanceBlock().SetFrame(0x100);
    EXPECT_EQ(RunCopy("Start", key_, "/tmp/some file.txt"), 10);
    EXPECT_TRUE(TakeInstanceWake());
    EXPECT_TRUE(GetSharedInstanceBlock().IsHandOverLocked());
    EXPECT_EQ(TakeForwardedCommandLine(), "\"/tmp/some file.txt\"");
    EXPECT_FALSE(GetSharedInstanceBlock().IsHandOverLocked());
    EXPECT_FALSE(TakeInstanceWake());
}

TEST_F(SingleInstance, SecondStartWithoutArgumentsHandsOverEmptyText)
{
    ASSERT_TRUE(ClaimFirstInstance());
    GetSharedInstanceBlock().SetFrame(0x100);
    EXPECT_EQ(RunCopy("Start", key_), 10);
    EXPECT_TRUE(TakeInstanceWake());
    EXPECT_EQ(TakeForwardedCommandLine(), "");
}

TEST_F(SingleInstance, SecondStartWaitsUntilTheFrameExists)
{
    ASSERT_TRUE(ClaimFirstInstance());
    const pid_t copy = StartCopy("Start", key_, "late");
    usleep(300 * 1000);
    EXPECT_FALSE(TakeInstanceWake());
    GetSharedInstanceBlock().SetFrame(0x100);
    EXPECT_EQ(WaitCopy(copy), 10);
    EXPECT_TRUE(TakeInstanceWake());
    EXPECT_EQ(TakeForwardedCommandLine(), "late");
}

TEST_F(SingleInstance, ThirdStartWaitsUntilTheSecondsTextIsTaken)
{
    ASSERT_TRUE(ClaimFirstInstance());
    GetSharedInstanceBlock().SetFrame(0x100);
    ASSERT_EQ(RunCopy("Start", key_, "second"), 10);
    const pid_t third = StartCopy("Start", key_, "third");
    usleep(300 * 1000);
    EXPECT_EQ(TakeForwardedCommandLine(), "second");
    EXPECT_EQ(WaitCopy(third), 10);
    EXPECT_EQ(TakeForwardedCommandLine(), "third");
}

TEST_F(SingleInstance, ManyLongPathsAreHandedOverWhole)
{
    ASSERT_TRUE(ClaimFirstInstance());
    GetSharedInstanceBlock().SetFrame(0x100);
    std::string words;
    for (int i = 0; i < 16; ++i)
        words += (i ? " /" : "/") + std::string(4095, static_cast<char>('a' + i));
    ASSERT_EQ(RunCopy("StartWithWords", key_, words), 10);
    EXPECT_TRUE(TakeInstanceWake());
    EXPECT_EQ(TakeForwardedCommandLine(), words);
    // The text is taken once.
    EXPECT_EQ(GetSharedInstanceBlock().Data().commandLine[0], '\0');
    EXPECT_FALSE(GetSharedInstanceBlock().IsHandOverLocked());
}

TEST_F(SingleInstance, CopyThatDiedCountsAsAbsent)
{
    EXPECT_EQ(RunCopy("DieWhileRunning", key_), 3);
    EXPECT_EQ(GetSharedInstanceBlock().Data().running, 1u); // left set by the dead copy
    EXPECT_FALSE(GetSharedInstanceBlock().IsRunningCopyAlive());
    // A later start runs as the first copy, on a reset block.
    EXPECT_EQ(RunCopy("Start", key_, "x"), 11);
    ASSERT_TRUE(ClaimFirstInstance());
    EXPECT_EQ(GetSharedInstanceBlock().Frame(), 0u);
}

TEST_F(SingleInstance, FailureOfTheFirstCopyResetsTheBlock)
{
    EXPECT_EQ(RunCopy("ThrowWhileRunning", key_), 5);
    EXPECT_TRUE(ClaimFirstInstance());
}

TEST_F(SingleInstance, GivesUpAfterOneHundredTriesWithoutAFrame)
{
    ASSERT_TRUE(ClaimFirstInstance()); // alive, but never shows a frame
    platform::CVirtualClock clock;
    platform::CScopedClock scoped(clock);
    EXPECT_THROW(ForwardToRunningInstance("x"), XBase);
    EXPECT_EQ(clock.Now(), 100u * 50u);
    EXPECT_FALSE(GetSharedInstanceBlock().IsHandOverLocked());
}

TEST_F(SingleInstance, HandOverLockOfACopyThatDiedIsFreed)
{
    ASSERT_TRUE(ClaimFirstInstance());
    platform::CVirtualClock clock(1000);
    platform::CScopedClock scoped(clock);
    ASSERT_TRUE(GetSharedInstanceBlock().TryLockHandOver()); // taken, and never a wake
    EXPECT_FALSE(TakeInstanceWake());
    clock.Advance(1000);
    EXPECT_FALSE(TakeInstanceWake());
    EXPECT_TRUE(GetSharedInstanceBlock().IsHandOverLocked()) << "a hand-over may still be under way";
    clock.Advance(1000);
    EXPECT_FALSE(TakeInstanceWake());
    EXPECT_FALSE(GetSharedInstanceBlock().IsHandOverLocked());
}

TEST_F(SingleInstance, OnlyOneCopyClaims)
{
    auto other = platform::CSharedInstanceBlock::Open(key_);
    ASSERT_TRUE(other);
    EXPECT_TRUE(other->ClaimFirstInstance());
    EXPECT_FALSE(ClaimFirstInstance());
    other->ReleaseFirstInstance();
    EXPECT_TRUE(ClaimFirstInstance());
}

TEST_F(SingleInstance, TheBlockIsAPrivateFileMadeByTheFirstCopyAndGoneWithIt)
{
    const std::string block = platform::InstanceRuntimeDirectory() + "torvan-" + key_ + ".block";
    ASSERT_TRUE(ClaimFirstInstance());
    struct stat st { };
    ASSERT_EQ(lstat(block.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_uid, getuid());
    ReleaseFirstInstance();
    EXPECT_NE(lstat(block.c_str(), &st), 0) << "removed when its last program ends";
    // A later start makes it anew and hand-overs work as before.
    UseSharedInstanceKey(key_);
    ASSERT_TRUE(ClaimFirstInstance());
    GetSharedInstanceBlock().SetFrame(0x100);
    EXPECT_EQ(RunCopy("Start", key_, "again"), 10);
    EXPECT_TRUE(TakeInstanceWake());
    EXPECT_EQ(TakeForwardedCommandLine(), "again");
}

TEST_F(SingleInstance, ABlockSomebodyElseMadeNeverStopsAStart)
{
    const std::string block = platform::InstanceRuntimeDirectory() + "torvan-" + key_ + ".block";
    const std::string elsewhere = platform::InstanceRuntimeDirectory() + "elsewhere-" + key_;
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"open to every user",
         [&] {
             testsupport::WriteFileBytes(block, std::string(269, '\0'));
             chmod(block.c_str(), 0666);
         }},
        {"a link",
         [&] {
             testsupport::WriteFileBytes(elsewhere, std::string(269, '\0'));
             symlink(elsewhere.c_str(), block.c_str());
         }},
        {"a named pipe", [&] { mkfifo(block.c_str(), 0600); }},
        {"another user's",
         [&] {
             testsupport::WriteFileBytes(block, std::string(269, '\0'));
             chmod(block.c_str(), 0600);
             if (chown(block.c_str(), getuid() == 65534 ? 65533 : 65534, static_cast<gid_t>(-1)) != 0)
                 chmod(block.c_str(), 0660); // not allowed to give it away: open to the group instead
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        unlink(block.c_str());
        unlink(elsewhere.c_str());
        c.make();
        // Pre-made with a running flag set: it must not be used at all.
        EXPECT_EQ(RunCopy("Start", key_, "x"), 11) << "runs as a lone copy";
        EXPECT_EQ(RunCopy("Start", key_, "y"), 11);
    }
    unlink(block.c_str());
    unlink(elsewhere.c_str());
}

TEST(SingleInstanceFolder, ARuntimeFolderOthersCanWriteToIsNotUsed)
{
    testsupport::ScopedConfigHome home;
    const std::string shared = std::string(getenv("XDG_RUNTIME_DIR")) + "/open";
    ASSERT_EQ(mkdir(shared.c_str(), 0700), 0);
    chmod(shared.c_str(), 0777);
    setenv("XDG_RUNTIME_DIR", shared.c_str(), 1);
    const std::string folder = platform::InstanceRuntimeDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.rfind(shared, 0), 0u) << folder;
    struct stat st { };
    ASSERT_EQ(lstat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, getuid());
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST(StartupRecord, JoinsArgumentsQuotingThoseWithBlanks)
{
    const char* argv[] = {"prog", "/a/b.pch", "/c/my patch.pch", "x"};
    EXPECT_EQ(JoinCommandLine(4, argv), "/a/b.pch \"/c/my patch.pch\" x");
    EXPECT_EQ(JoinCommandLine(1, argv), "");
}

TEST(StartupRecord, FieldsStayWithinTheirSizes)
{
    CStartupRecord record;
    EXPECT_EQ(record.applicationName, "Harrowen Win32 Application");
    EXPECT_EQ(record.showCommand, 1);
    // Sixteen paths of 4,096 bytes and their blanks fit whole.
    const std::string many(16 * 4097, 'a');
    record.SetCommandLine(many);
    EXPECT_EQ(record.commandLine, many);
    record.SetCommandLine(std::string(CStartupRecord::kCommandLineMax + 10, 'a'));
    EXPECT_EQ(record.commandLine.size(), CStartupRecord::kCommandLineMax);
    record.SetApplicationName(std::string(262, 'n') + "\xC3\xA9"); // a two-byte character across the end
    EXPECT_EQ(record.applicationName.size(), 262u);
}
