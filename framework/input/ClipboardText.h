#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace NSHarrowen {

// An owned copy of clipboard data and its type code ("TEXT" for text).
class CClipboardItem {
public:
    CClipboardItem(std::string_view type, std::string bytes);

    const char* GetType() const { return type_; }
    uint32_t GetSize() const { return static_cast<uint32_t>(bytes_.size()); }
    const char* GetData() const { return bytes_.data(); }

private:
    char type_[8]{};
    std::string bytes_;
};

bool IsClipboardTextAvailable();
// The text on the clipboard, its terminating NUL counted in the size. No text
// on the clipboard throws XBase; ask IsClipboardTextAvailable first.
CClipboardItem GetClipboardText();
void ClearClipboard();
// Puts count bytes of text on the clipboard, up to the first NUL among them
// (callers pass the text with its terminator). A failed hand-over throws XBase.
void SetClipboardText(uint32_t count, const char* bytes);

} // namespace NSHarrowen
