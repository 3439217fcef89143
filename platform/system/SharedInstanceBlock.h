#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <sys/types.h>

// The block every copy of one program run by one user shares, so that a
// second start can hand its command line to the copy that runs already.
namespace platform {

// The block's contents (269 bytes, zero when first made).
struct SharedInstanceData {
    std::atomic<uint32_t> frame;        // the running copy's frame window, 0 while it has none
    std::atomic<uint32_t> handOverLock; // 1 while a second copy hands over its text
    std::atomic<uint32_t> running;      // 1 while a first copy runs
    char commandLine[257];              // the handed-over text, NUL-terminated
};
static_assert(offsetof(SharedInstanceData, commandLine) + sizeof(SharedInstanceData::commandLine) == 269);
static_assert(std::atomic<uint32_t>::is_always_lock_free);

inline constexpr size_t kSharedCommandLineMax = sizeof(SharedInstanceData::commandLine) - 1;

// The key of a program: the same for every start of one executable by one
// user in one session (its runtime folder), different otherwise.
std::string InstanceKeyForExecutable(std::string_view executablePath);

// The user's folder for the block, the lock file and the wake socket:
// $XDG_RUNTIME_DIR, else /tmp/torvan-UID, else a folder in the user's home;
// each only when it is the user's own and writable by nobody else (mode
// 0700). Ends in "/"; empty when none can be had.
std::string InstanceRuntimeDirectory();

class CSharedInstanceBlock {
public:
    // Maps the block of that key: a file of the runtime folder, made with
    // mode 0600 when missing. Null when it cannot be had, or when the file
    // there is not this user's own (LastOpenFailure says why).
    static std::unique_ptr<CSharedInstanceBlock> Open(const std::string& key);
    static std::string LastOpenFailure();
    ~CSharedInstanceBlock();
    CSharedInstanceBlock(const CSharedInstanceBlock&) = delete;
    CSharedInstanceBlock& operator=(const CSharedInstanceBlock&) = delete;

    // Becomes the running copy: true when no live copy runs. The running copy
    // holds a lock on a file that the kernel frees when the process ends, so
    // a copy that died leaves no running copy behind; its block is reset.
    bool ClaimFirstInstance();
    void ReleaseFirstInstance();
    bool HoldsFirstInstance() const { return lockFd_ >= 0; }
    // Whether some live process holds the running copy's lock.
    bool IsRunningCopyAlive() const;

    uint32_t Frame() const { return data_->frame.load(); }
    void SetFrame(uint32_t frame) { data_->frame.store(frame); }

    // The hand-over: a second copy takes the lock, writes its text (cut to
    // kSharedCommandLineMax bytes) and wakes the running copy; that one takes
    // the text, which frees the lock.
    bool TryLockHandOver() { return data_->handOverLock.exchange(1) == 0; }
    void UnlockHandOver() { data_->handOverLock.exchange(0); }
    bool IsHandOverLocked() const { return data_->handOverLock.load() != 0; }
    void WriteCommandLine(std::string_view text);
    std::string TakeCommandLine();

    const std::string& Key() const { return key_; }
    SharedInstanceData& Data() { return *data_; }

    // Removes the block, the lock file and the socket of a key (tests).
    static void Remove(const std::string& key);

private:
    CSharedInstanceBlock(std::string key, SharedInstanceData* data);
    std::string LockPath() const;
    // Maps the block file now in the folder, when it is another than ours.
    bool RemapCurrentFile();

    std::string key_;
    SharedInstanceData* data_;
    int lockFd_ = -1;
    ino_t inode_ = 0;
};

// The longest command line a second start hands over whole.
inline constexpr size_t kInstanceTextMax = 256 * 1024;

// Wakes the running copy of a key and sends it the text (the whole command
// line); false when nothing listens or the text could not be sent.
bool SendInstanceWake(const std::string& key, std::string_view text = {});

} // namespace platform
