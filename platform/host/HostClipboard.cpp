#include "platform/host/HostClipboard.h"

#include <atomic>
#include <mutex>

namespace platform {

namespace {

class CProcessClipboard : public IClipboard {
public:
    bool HasText() override
    {
        std::lock_guard lock(lock_);
        return text_.has_value();
    }
    std::optional<std::string> GetText() override
    {
        std::lock_guard lock(lock_);
        return text_;
    }
    bool SetText(std::string_view text) override
    {
        std::lock_guard lock(lock_);
        text_ = std::string(text);
        return true;
    }
    void Clear() override
    {
        std::lock_guard lock(lock_);
        text_.reset();
    }

private:
    std::mutex lock_;
    std::optional<std::string> text_;
};

CProcessClipboard processClipboard;
std::atomic<IClipboard*> current{&processClipboard};

IClipboard& Current()
{
    return *current.load(std::memory_order_acquire);
}

} // namespace

IClipboard* InstallClipboard(IClipboard* clipboard)
{
    IClipboard* previous = current.exchange(clipboard ? clipboard : &processClipboard);
    return previous == &processClipboard ? nullptr : previous;
}

bool ClipboardHasText()
{
    return Current().HasText();
}
std::optional<std::string> ClipboardGetText()
{
    return Current().GetText();
}
bool ClipboardSetText(std::string_view text)
{
    return Current().SetText(text);
}
void ClipboardClear()
{
    Current().Clear();
}

} // namespace platform
