#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Where clipboard text goes. The program starts with a clipboard of its own
// process; the desktop backend installs one that talks to the desktop.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual bool HasText() = 0;
    virtual std::optional<std::string> GetText() = 0;
    // False when the text could not be handed over.
    virtual bool SetText(std::string_view text) = 0;
    virtual void Clear() = 0;
};

// Installs a clipboard (not owned) and returns the one it replaces; nullptr
// puts the in-process clipboard back.
IClipboard* InstallClipboard(IClipboard* clipboard);

bool ClipboardHasText();
std::optional<std::string> ClipboardGetText();
bool ClipboardSetText(std::string_view text);
void ClipboardClear();

} // namespace platform
