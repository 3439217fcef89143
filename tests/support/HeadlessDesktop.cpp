#include "tests/support/HeadlessDesktop.h"

#include "platform/host/Host.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

#include <memory>

namespace testsupport {

namespace {

// The window layer starts empty before the new desktop is installed.
std::unique_ptr<platform::HeadlessHost> FreshDesktop(int width, int height)
{
    platform::ResetWindowSystem();
    return std::make_unique<platform::HeadlessHost>(width, height);
}

} // namespace

HeadlessDesktop::HeadlessDesktop(int width, int height) : HeadlessDesktop(FreshDesktop(width, height)) { }

HeadlessDesktop::HeadlessDesktop(std::unique_ptr<platform::HeadlessHost> host)
    : host_(host.get()), scope_(std::move(host))
{ }

HeadlessDesktop::~HeadlessDesktop() = default;

int HeadlessDesktop::Pump(int limit)
{
    int count = 0;
    platform::Message m;
    while (count < limit && platform::PeekMessage(m)) {
        ++count;
        if (m.message == platform::msg::Timer && m.window == 0) {
            if (onThreadTimer)
                onThreadTimer(m);
            continue;
        }
        platform::DispatchMessage(m);
    }
    return count;
}

void HeadlessDesktop::Advance(uint64_t ms, uint64_t step)
{
    for (uint64_t passed = 0; passed < ms; passed += step) {
        host_->Advance(step);
        Pump();
    }
}

} // namespace testsupport
