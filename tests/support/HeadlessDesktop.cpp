#include "tests/support/HeadlessDesktop.h"

#include "platform/host/Host.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

#include <memory>

namespace testsupport {

HeadlessDesktop::HeadlessDesktop(int width, int height)
{
    platform::ResetWindowSystem();
    auto host = std::make_unique<platform::HeadlessHost>(width, height);
    host_ = host.get();
    platform::InstallHost(std::move(host));
}

HeadlessDesktop::~HeadlessDesktop()
{
    platform::ResetWindowSystem();
    platform::InstallHost(nullptr);
}

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
