#include "framework/application/SingleInstance.h"

#include "platform/system/InstanceWakeListener.h"

#include "framework/base/Exceptions.h"
#include "framework/base/Utf8.h"
#include "platform/system/Clock.h"
#include "platform/system/FileSystem.h"

#include <memory>
#include <optional>

namespace NSHarrowen {

namespace {

struct InstanceState {
    std::string key;
    std::unique_ptr<platform::CSharedInstanceBlock> block;
    std::unique_ptr<platform::CInstanceWakeListener> listener;
    bool claimed = false;
    uint64_t lockSeenAt = 0; // when a hand-over lock without a wake was first seen
};

InstanceState& State()
{
    static InstanceState state;
    return state;
}

constexpr int kForwardTries = 100;
constexpr uint32_t kForwardPauseMs = 50;
constexpr size_t kTakenCommandLineMax = platform::kInstanceTextMax;
// A second copy takes the lock, writes and wakes within moments; a lock held
// longer without a wake was left by a copy that died in between.
constexpr uint64_t kStaleHandOverMs = 2000;

} // namespace

void UseSharedInstanceKey(const std::string& key)
{
    ReleaseFirstInstance();
    InstanceState& s = State();
    s.block.reset();
    s.key = key;
}

platform::CSharedInstanceBlock& GetSharedInstanceBlock()
{
    InstanceState& s = State();
    if (!s.block) {
        if (s.key.empty())
            s.key = platform::InstanceKeyForExecutable(platform::ExecutablePath());
        s.block = platform::CSharedInstanceBlock::Open(s.key);
        if (!s.block)
            throw XBase();
    }
    return *s.block;
}

bool ClaimFirstInstance()
{
    platform::CSharedInstanceBlock& block = GetSharedInstanceBlock();
    if (!block.ClaimFirstInstance())
        return false;
    State().claimed = true;
    // Without a listener a second start finds nobody to wake and gives up;
    // this copy still runs.
    State().listener = platform::CInstanceWakeListener::Listen(block.Key());
    return true;
}

void ReleaseFirstInstance()
{
    InstanceState& s = State();
    s.listener.reset();
    if (s.block && s.claimed)
        s.block->ReleaseFirstInstance();
    s.claimed = false;
}

void ForwardToRunningInstance(std::string_view commandLine)
{
    platform::CSharedInstanceBlock& block = GetSharedInstanceBlock();
    bool locked = false;
    for (int tries = 0; tries < kForwardTries && !locked; ++tries) {
        if (!block.IsRunningCopyAlive())
            throw XBase(); // it ended: nobody to hand over to
        locked = block.Frame() != 0 && block.TryLockHandOver();
        if (!locked)
            platform::SleepMilliseconds(kForwardPauseMs);
    }
    if (!locked)
        throw XBase();
    block.WriteCommandLine(commandLine.substr(0, Utf8CutLength(commandLine, platform::kSharedCommandLineMax)));
    if (!platform::SendInstanceWake(block.Key(), commandLine)) {
        block.UnlockHandOver();
        throw XBase();
    }
}

bool IsFirstInstanceClaimed()
{
    return State().claimed;
}

bool TakeInstanceWake()
{
    InstanceState& s = State();
    if (!s.listener)
        return false;
    if (s.listener->TakeWake()) {
        s.lockSeenAt = 0;
        return true;
    }
    // A sender still writing holds the lock for its text.
    if (!s.block || !s.block->IsHandOverLocked() || s.listener->HasPending()) {
        s.lockSeenAt = 0;
        return false;
    }
    const uint64_t now = platform::NowMilliseconds();
    if (s.lockSeenAt == 0)
        s.lockSeenAt = now;
    else if (now - s.lockSeenAt >= kStaleHandOverMs) {
        s.block->UnlockHandOver();
        s.lockSeenAt = 0;
    }
    return false;
}

std::string TakeForwardedCommandLine()
{
    // The block's field holds the text's start; the wake carried it whole.
    std::string text = GetSharedInstanceBlock().TakeCommandLine();
    if (State().listener)
        if (std::optional<std::string> whole = State().listener->TakeText())
            text = std::move(*whole);
    text.resize(Utf8CutLength(text, kTakenCommandLineMax));
    return text;
}

} // namespace NSHarrowen
