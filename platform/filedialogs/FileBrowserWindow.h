#pragma once

#include "platform/filedialogs/FileBrowser.h"

#include <optional>
#include <string>

namespace platform {

inline constexpr const char* kFileDialogClass = "HarrowenFileDialog";

// The layer's own modal file dialog: the folder's entries, a name field, the
// kinds of file, OK and Cancel; a save dialog asks before replacing a file.
// Returns the chosen path, or none when cancelled.
std::optional<std::string> ShowFileDialogWindow(const FileDialogRequest& request);

// Control ids of the dialog's children (tests drive them).
namespace filedialog {
inline constexpr uint16_t kOk = 1;
inline constexpr uint16_t kCancel = 2;
inline constexpr uint16_t kUp = 3;
inline constexpr uint16_t kName = 4;
inline constexpr uint16_t kTypes = 5;
inline constexpr uint16_t kScroll = 6;
} // namespace filedialog

} // namespace platform
