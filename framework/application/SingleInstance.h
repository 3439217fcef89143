#pragma once

#include "platform/system/SharedInstanceBlock.h"

#include <cstdint>
#include <string>
#include <string_view>

// Only one copy of a program runs for one user: a second start hands its
// command line to the running copy and ends.
namespace NSHarrowen {

// The message a running copy's frame gets when a second start handed over
// its command line.
inline constexpr uint32_t kForwardedStartMessage = 0x420;

// The program's shared block, made on first use for the running executable
// (or for the key given before). Throws XBase when it cannot be had.
platform::CSharedInstanceBlock& GetSharedInstanceBlock();
// Uses the block of another key from now on (tests, and programs started
// under another name).
void UseSharedInstanceKey(const std::string& key);

// Becomes the running copy: true when no live copy runs. The running copy
// also listens for the wake of a second start.
bool ClaimFirstInstance();
void ReleaseFirstInstance();
// Whether this process is the running copy.
bool IsFirstInstanceClaimed();

// A second start: waits (100 tries, 50 ms apart) for the running copy's
// frame and the hand-over lock, writes the text's start to the block and
// wakes the running copy with the whole text (up to 256 KiB). Throws XBase when the running copy cannot be reached.
void ForwardToRunningInstance(std::string_view commandLine);

// The running copy: true once for each wake by a second start. Called
// often, it never waits for a sender; it also frees a hand-over lock that a
// second copy took and never followed by a wake (it died), so later starts
// are not shut out.
bool TakeInstanceWake();
// Copies the handed-over text out and frees the lock.
std::string TakeForwardedCommandLine();

} // namespace NSHarrowen
