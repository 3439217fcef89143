#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

// One message posted to a thread: a number and two parameters.
struct ThreadMessage {
    uint32_t message = 0;
    uintptr_t param1 = 0;
    uintptr_t param2 = 0;
};

// A queue of thread messages; any thread posts, one thread takes.
class MessageQueue {
public:
    void Post(const ThreadMessage& message);
    // Blocks until the queue holds at least one message.
    void Wait();
    // Removes the oldest message into `message`; false when the queue is empty.
    bool Peek(ThreadMessage& message);

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<ThreadMessage> messages_;
};

// A thread that owns a message queue. The body gets the thread object and
// takes its messages with WaitMessage and PeekMessage; it ends when the body
// returns. Destroying the object joins the thread, so post the body's stop
// message first.
class MessageThread {
public:
    using Body = std::function<void(MessageThread&)>;
    enum class Priority { Normal, AboveNormal };

    // Starts the thread; throws std::system_error when it cannot be created.
    // A user without the right to raise a priority keeps the normal one.
    explicit MessageThread(Body body, Priority priority = Priority::Normal);
    ~MessageThread();
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;

    void PostMessage(uint32_t message, uintptr_t param1 = 0, uintptr_t param2 = 0);
    void WaitMessage() { queue_.Wait(); }
    bool PeekMessage(ThreadMessage& message) { return queue_.Peek(message); }

    // Waits for the body to return.
    void Join();
    std::thread::id Id() const { return thread_.get_id(); }

private:
    MessageQueue queue_;
    std::thread thread_;
};

} // namespace platform
