#include "platform/system/MessageThread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

void MessageQueue::Post(const ThreadMessage& message)
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        messages_.push_back(message);
    }
    ready_.notify_one();
}

void MessageQueue::Wait()
{
    std::unique_lock<std::mutex> guard(mutex_);
    ready_.wait(guard, [this] { return !messages_.empty(); });
}

bool MessageQueue::Peek(ThreadMessage& message)
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (messages_.empty())
        return false;
    message = messages_.front();
    messages_.pop_front();
    return true;
}

namespace {

void RaiseOwnPriority()
{
    // The nice value is per thread on Linux; lowering it needs a right most
    // users lack, and then the thread simply runs at the normal priority.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    const int current = getpriority(PRIO_PROCESS, tid);
    (void)setpriority(PRIO_PROCESS, tid, current - 5);
}

} // namespace

MessageThread::MessageThread(Body body, Priority priority)
    : thread_([this, priority, body = std::move(body)] {
          if (priority == Priority::AboveNormal)
              RaiseOwnPriority();
          body(*this);
      })
{ }

MessageThread::~MessageThread()
{
    Join();
}

void MessageThread::PostMessage(uint32_t message, uintptr_t param1, uintptr_t param2)
{
    queue_.Post({message, param1, param2});
}

void MessageThread::Join()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

} // namespace platform
