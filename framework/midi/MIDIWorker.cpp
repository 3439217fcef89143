#include "framework/midi/MIDIWorker.h"

#include "framework/base/Exceptions.h"
#include "framework/midi/MIDIWait.h"
#include "framework/midi/MMEMIDIInput.h"
#include "platform/system/MessageThread.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <system_error>

namespace NSHarrowen {

namespace {

// Kept for the life of the process (never destroyed), so that an input
// left open at exit cannot make the exit wait for the worker.
struct WorkerState {
    std::mutex control; // orders starts and stops
    std::unique_ptr<platform::MessageThread> thread;
    std::atomic<platform::MessageThread*> current{nullptr};
    std::atomic<bool> running{false};
    std::atomic<uint32_t> users{0};
    std::atomic<bool> failNextStart{false};
};

WorkerState& State()
{
    static WorkerState* state = new WorkerState;
    return *state;
}

void MidiInputThread(platform::MessageThread& thread)
{
    State().running = true;
    for (;;) {
        thread.WaitMessage();
        platform::ThreadMessage message;
        while (thread.PeekMessage(message)) {
            if (message.message == kStopMIDIWorker) {
                State().running = false;
                return;
            }
            CMMEMIDIInput::OnWorkerMessage(message.message, message.param1, message.param2);
        }
    }
}

// Ends the worker and waits for it; it ends at once on the stop message.
void StopWorker(WorkerState& state)
{
    state.current = nullptr;
    state.thread->PostMessage(kStopMIDIWorker);
    state.thread->Join();
    state.thread.reset();
}

} // namespace

platform::Lock& GetMIDILock()
{
    static platform::Lock* lock = new platform::Lock;
    return *lock;
}

void StartMidiInputThread()
{
    WorkerState& state = State();
    std::lock_guard<std::mutex> guard(state.control);
    if (state.thread) {
        ++state.users;
        return;
    }
    state.running = false;
    try {
        if (state.failNextStart.exchange(false))
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        state.thread =
            std::make_unique<platform::MessageThread>(MidiInputThread, platform::MessageThread::Priority::AboveNormal);
    } catch (const std::system_error&) {
        throw XFailedOpeningMIDIPort();
    }
    if (!WaitForMIDI([&state] { return state.running.load(); }, 1000)) {
        StopWorker(state);
        throw XFailedOpeningMIDIPort();
    }
    state.current = state.thread.get();
    ++state.users;
}

void ReleaseMidiInputThread()
{
    WorkerState& state = State();
    std::lock_guard<std::mutex> guard(state.control);
    if (state.users == 0)
        return;
    if (--state.users == 0 && state.thread)
        StopWorker(state);
}

void PostToMidiInputThread(uint32_t message, uintptr_t param1, uintptr_t param2)
{
    if (platform::MessageThread* thread = State().current.load())
        thread->PostMessage(message, param1, param2);
}

bool IsMidiInputThreadRunning()
{
    return State().running;
}

uint32_t GetMidiInputThreadUsers()
{
    return State().users;
}

std::thread::id GetMidiInputThreadId()
{
    WorkerState& state = State();
    std::lock_guard<std::mutex> guard(state.control);
    return state.thread ? state.thread->Id() : std::thread::id();
}

void FailNextMidiInputThreadStartForTesting()
{
    State().failNextStart = true;
}

} // namespace NSHarrowen
