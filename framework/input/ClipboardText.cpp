#include "framework/input/ClipboardText.h"

#include "framework/base/Exceptions.h"
#include "framework/base/StringFunctions.h"
#include "platform/host/HostClipboard.h"

#include <cstring>

namespace NSHarrowen {

CClipboardItem::CClipboardItem(std::string_view type, std::string bytes) : bytes_(std::move(bytes))
{
    const size_t n = type.size() < sizeof type_ - 1 ? type.size() : sizeof type_ - 1;
    std::memcpy(type_, type.data(), n);
}

bool IsClipboardTextAvailable()
{
    return platform::ClipboardHasText();
}

CClipboardItem GetClipboardText()
{
    auto text = platform::ClipboardGetText();
    if (!text)
        throw XBase();
    // Text ends at its first NUL, and the item always holds a terminated text.
    text->resize(std::strlen(text->c_str()));
    text->push_back('\0');
    return CClipboardItem("TEXT", std::move(*text));
}

void ClearClipboard()
{
    platform::ClipboardClear();
}

void SetClipboardText(uint32_t count, const char* bytes)
{
    const size_t length = count == 0 ? 0 : strnlen(bytes, count);
    if (!platform::ClipboardSetText(std::string_view(bytes, length)))
        throw XBase();
}

} // namespace NSHarrowen
