#pragma once

#include <cstdint>

namespace platform {

// Window style bits. The numbers follow the classic desktop layout because
// the framework's window tables give whole style words.
namespace style {
inline constexpr uint32_t Overlapped = 0x00000000;
inline constexpr uint32_t Popup = 0x80000000;
inline constexpr uint32_t Child = 0x40000000;
inline constexpr uint32_t Minimize = 0x20000000;
inline constexpr uint32_t Visible = 0x10000000;
inline constexpr uint32_t Disabled = 0x08000000;
inline constexpr uint32_t ClipSiblings = 0x04000000;
inline constexpr uint32_t ClipChildren = 0x02000000;
inline constexpr uint32_t Maximize = 0x01000000;
inline constexpr uint32_t Caption = 0x00C00000; // border and dialog frame
inline constexpr uint32_t Border = 0x00800000;
inline constexpr uint32_t DialogFrame = 0x00400000;
inline constexpr uint32_t VScroll = 0x00200000;
inline constexpr uint32_t HScroll = 0x00100000;
inline constexpr uint32_t SysMenu = 0x00080000;
inline constexpr uint32_t ThickFrame = 0x00040000;
inline constexpr uint32_t MinimizeBox = 0x00020000;
inline constexpr uint32_t MaximizeBox = 0x00010000;
inline constexpr uint32_t OverlappedWindow = Caption | SysMenu | ThickFrame | MinimizeBox | MaximizeBox;
} // namespace style

namespace exstyle {
inline constexpr uint32_t DialogModalFrame = 0x00000001;
inline constexpr uint32_t TopMost = 0x00000008;
inline constexpr uint32_t AcceptFiles = 0x00000010;
inline constexpr uint32_t MdiChild = 0x00000040;
inline constexpr uint32_t ToolWindow = 0x00000080;
inline constexpr uint32_t ContextHelp = 0x00000400;
} // namespace exstyle

// Class style bits.
namespace classstyle {
inline constexpr uint32_t DoubleClicks = 0x0008;
} // namespace classstyle

} // namespace platform
