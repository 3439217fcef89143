#pragma once

#include "platform/base/Geometry.h"

#include <cstdint>

namespace platform {

// A window of the layer, by number; 0 is none. Numbers are never reused, so a
// stale handle simply finds no window.
using WindowHandle = uint32_t;
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// The window messages the layer sends and posts. The numbers follow the
// classic desktop numbering, which the framework's tables are written in.
namespace msg {
inline constexpr uint32_t Create = 0x0001;
inline constexpr uint32_t Destroy = 0x0002;
inline constexpr uint32_t Move = 0x0003;
inline constexpr uint32_t Size = 0x0005;
inline constexpr uint32_t Activate = 0x0006;
inline constexpr uint32_t SetFocus = 0x0007;
inline constexpr uint32_t KillFocus = 0x0008;
inline constexpr uint32_t Enable = 0x000A;
inline constexpr uint32_t Paint = 0x000F;
inline constexpr uint32_t Close = 0x0010;
inline constexpr uint32_t QueryEndSession = 0x0011;
inline constexpr uint32_t Quit = 0x0012;
inline constexpr uint32_t EraseBackground = 0x0014;
inline constexpr uint32_t SysColorChange = 0x0015;
inline constexpr uint32_t DisplayChange = 0x007E; // wParam: the screen's bits per pixel
inline constexpr uint32_t ShowWindow = 0x0018;
inline constexpr uint32_t ActivateApp = 0x001C;
inline constexpr uint32_t SetCursor = 0x0020;
inline constexpr uint32_t GetMinMaxInfo = 0x0024;
inline constexpr uint32_t Notify = 0x004E;
inline constexpr uint32_t Help = 0x0053;
inline constexpr uint32_t ContextMenu = 0x007B;
inline constexpr uint32_t NcHitTest = 0x0084;
inline constexpr uint32_t NcActivate = 0x0086;
inline constexpr uint32_t NcMouseMove = 0x00A0;
inline constexpr uint32_t NcLButtonDown = 0x00A1;
inline constexpr uint32_t NcLButtonDoubleClick = 0x00A3;
inline constexpr uint32_t KeyDown = 0x0100;
inline constexpr uint32_t KeyUp = 0x0101;
inline constexpr uint32_t Char = 0x0102;
inline constexpr uint32_t Command = 0x0111;
inline constexpr uint32_t SysCommand = 0x0112;
inline constexpr uint32_t Timer = 0x0113;
inline constexpr uint32_t HScroll = 0x0114;
inline constexpr uint32_t VScroll = 0x0115;
inline constexpr uint32_t InitMenu = 0x0116;
inline constexpr uint32_t MouseFirst = 0x0200;
inline constexpr uint32_t MouseMove = 0x0200;
inline constexpr uint32_t LButtonDown = 0x0201;
inline constexpr uint32_t LButtonUp = 0x0202;
inline constexpr uint32_t LButtonDoubleClick = 0x0203;
inline constexpr uint32_t RButtonDown = 0x0204;
inline constexpr uint32_t RButtonUp = 0x0205;
inline constexpr uint32_t RButtonDoubleClick = 0x0206;
inline constexpr uint32_t MButtonDown = 0x0207;
inline constexpr uint32_t MButtonUp = 0x0208;
inline constexpr uint32_t MButtonDoubleClick = 0x0209;
inline constexpr uint32_t MouseLast = 0x0209;
// The wheel: the high word of wParam is the turn, 120 a notch away from the
// user; lParam the pointer on the desktop.
inline constexpr uint32_t MouseWheel = 0x020A;
inline constexpr int kWheelDelta = 120;
inline constexpr uint32_t CaptureChanged = 0x0215;
inline constexpr uint32_t MdiDestroy = 0x0221;
inline constexpr uint32_t MdiActivate = 0x0222;
inline constexpr uint32_t MdiRestore = 0x0223;
inline constexpr uint32_t MdiNext = 0x0224;
inline constexpr uint32_t MdiMaximize = 0x0225;
inline constexpr uint32_t MdiTile = 0x0226;
inline constexpr uint32_t MdiCascade = 0x0227;
inline constexpr uint32_t MdiGetActive = 0x0229;
inline constexpr uint32_t DropFiles = 0x0233;
inline constexpr uint32_t QueryNewPalette = 0x030F;
inline constexpr uint32_t PaletteChanged = 0x0311;
inline constexpr uint32_t User = 0x0400;
// A thread message: a MIDI input has a message waiting (platform/midi/MidiArrival.h).
inline constexpr uint32_t MidiArrival = 0x03C4;
} // namespace msg

// Parameters of some messages.
inline constexpr WParam kActivateInactive = 0;
inline constexpr WParam kActivateActive = 1;
inline constexpr WParam kActivateClick = 2;
inline constexpr WParam kSizeRestored = 0;
inline constexpr WParam kSizeMinimized = 1;
inline constexpr WParam kSizeMaximized = 2;
inline constexpr WParam kTileVertical = 0;
inline constexpr WParam kTileHorizontal = 1;

// Where a command came from: the high word of a command's word parameter.
inline constexpr uint16_t kCommandFromMenu = 0;
inline constexpr uint16_t kCommandFromAccelerator = 1;

// Modifier bits of a mouse message's word parameter.
inline constexpr WParam kMouseLeft = 0x0001;
inline constexpr WParam kMouseRight = 0x0002;
inline constexpr WParam kMouseShift = 0x0004;
inline constexpr WParam kMouseControl = 0x0008;
inline constexpr WParam kMouseMiddle = 0x0010;

// System commands of the window's caption buttons.
inline constexpr WParam kSysCommandMinimize = 0xF020;
inline constexpr WParam kSysCommandMaximize = 0xF030;
inline constexpr WParam kSysCommandClose = 0xF060;
inline constexpr WParam kSysCommandRestore = 0xF120;

// Results of a non-client hit test.
namespace hit {
inline constexpr LResult Nowhere = 0;
inline constexpr LResult Client = 1;
inline constexpr LResult Caption = 2;
inline constexpr LResult SysMenu = 3;
inline constexpr LResult MinButton = 8;
inline constexpr LResult MaxButton = 9;
inline constexpr LResult Left = 10;
inline constexpr LResult Right = 11;
inline constexpr LResult Top = 12;
inline constexpr LResult TopLeft = 13;
inline constexpr LResult TopRight = 14;
inline constexpr LResult Bottom = 15;
inline constexpr LResult BottomLeft = 16;
inline constexpr LResult BottomRight = 17;
inline constexpr LResult Border = 18;
inline constexpr LResult CloseButton = 20;
} // namespace hit

// Packing of two 16-bit values into a parameter, as mouse and size messages
// carry them.
constexpr LParam MakeLParam(int low, int high)
{
    return static_cast<LParam>(static_cast<uint32_t>(static_cast<uint16_t>(low)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16));
}
constexpr int LowSigned(LParam v)
{
    return static_cast<int16_t>(static_cast<uint32_t>(v) & 0xFFFF);
}
constexpr int HighSigned(LParam v)
{
    return static_cast<int16_t>((static_cast<uint32_t>(v) >> 16) & 0xFFFF);
}
constexpr uint16_t LowWordOf(uintptr_t v)
{
    return static_cast<uint16_t>(v & 0xFFFF);
}
constexpr uint16_t HighWordOf(uintptr_t v)
{
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}
constexpr Point PointFromLParam(LParam v)
{
    return {LowSigned(v), HighSigned(v)};
}

// What msg::Notify's long parameter points at: the control that sends it.
struct NotifyHeader {
    WindowHandle from = 0;
    uintptr_t id = 0;
    uint32_t code = 0;
};

// A timer's procedure, called when its message is dispatched (with the
// window, msg::Timer, the timer's id and the message time).
using TimerProc = void (*)(WindowHandle window, uint32_t message, uintptr_t id, uint32_t time);

// What msg::Help's long parameter points at: the window or menu item help
// is asked for.
struct HelpInfo {
    enum class Kind { Window, Menu };
    Kind kind = Kind::Window;
    WindowHandle item = 0;  // the window (or control) under the pointer
    uint32_t contextId = 0; // a menu item's help number
    Point mouse;
};

// One message taken from the queue.
struct Message {
    WindowHandle window = 0;
    uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    uint32_t time = 0;
    Point point; // the pointer's screen position when the message was made
};

} // namespace platform
