#pragma once

#include "platform/windows/Message.h"
#include "platform/windows/Window.h"

#include <cstdint>
#include <string>

// The layer's native controls, drawn in the classic desktop look: push
// buttons, check boxes, radio buttons and group boxes ("Button"), single-line
// and multi-line edits ("edit"), drop-down lists ("COMBOBOX"), scroll bars ("scrollbar"),
// up-down arrows and progress bars. Each is a child window that tells its
// parent what the user did: msg::Command with the notification code in the
// high word of the word parameter and the control in the long parameter,
// msg::HScroll / msg::VScroll with a scroll code, or msg::Notify.
namespace platform {

inline constexpr const char* kButtonClass = "Button";
inline constexpr const char* kEditClass = "edit";
inline constexpr const char* kComboBoxClass = "COMBOBOX";
inline constexpr const char* kComboListClass = "ComboLBox";
inline constexpr const char* kScrollBarClass = "scrollbar";
inline constexpr const char* kProgressClass = "msctls_progress32";
inline constexpr const char* kUpDownClass = "msctls_updown32";

// Registers the control classes (again after ResetWindowSystem).
void RegisterControlClasses();

// Style bits of the controls (the low word of the window style).
namespace ctlstyle {
inline constexpr uint32_t PushButton = 0x0;
inline constexpr uint32_t DefPushButton = 0x1;
inline constexpr uint32_t CheckBox = 0x2;
inline constexpr uint32_t RadioButton = 0x4;
inline constexpr uint32_t GroupBox = 0x7;
inline constexpr uint32_t ButtonTypeMask = 0xF;
inline constexpr uint32_t EditMultiLine = 0x4;
inline constexpr uint32_t EditAutoVScroll = 0x40;
inline constexpr uint32_t EditAutoHScroll = 0x80;
inline constexpr uint32_t ComboDropDownList = 0x3;
inline constexpr uint32_t ScrollHorizontal = 0x0;
inline constexpr uint32_t ScrollVertical = 0x1;
inline constexpr uint32_t UpDownWrap = 0x1;
} // namespace ctlstyle

inline constexpr uint32_t kExStyleClientEdge = 0x00000200;

// Messages understood by the controls.
namespace ctlmsg {
inline constexpr uint32_t SetRedraw = 0x000B;
inline constexpr uint32_t SetText = 0x000C; // long: const char*
inline constexpr uint32_t GetText = 0x000D; // word: buffer size, long: char*; returns the length copied
inline constexpr uint32_t GetTextLength = 0x000E;
inline constexpr uint32_t SetFont = 0x0030;
inline constexpr uint32_t EditGetSel = 0x00B0;     // returns start | end << 16; word, long: optional uint32_t*
inline constexpr uint32_t EditSetSel = 0x00B1;     // start, end (-1: the end)
inline constexpr uint32_t EditReplaceSel = 0x00C2; // long: const char*
inline constexpr uint32_t EditLimitText = 0x00C5;
inline constexpr uint32_t ScrollSetPos = 0x00E0; // word: position, long: redraw
inline constexpr uint32_t ScrollGetPos = 0x00E1;
inline constexpr uint32_t ScrollSetRange = 0x00E2; // word: minimum, long: maximum
inline constexpr uint32_t ScrollSetInfo = 0x00E9;  // long: const ScrollInfo*
inline constexpr uint32_t ScrollGetInfo = 0x00EA;  // long: ScrollInfo*
inline constexpr uint32_t ButtonGetCheck = 0x00F0;
inline constexpr uint32_t ButtonSetCheck = 0x00F1;
inline constexpr uint32_t ButtonSetStyle = 0x00F4; // word: the new type bits, long: redraw
inline constexpr uint32_t ButtonClick = 0x00F5;
inline constexpr uint32_t ComboAddString = 0x0143;
inline constexpr uint32_t ComboGetCount = 0x0146;
inline constexpr uint32_t ComboGetCurSel = 0x0147;
inline constexpr uint32_t ComboGetItemText = 0x0148; // word: index, long: std::string*
inline constexpr uint32_t ComboResetContent = 0x014B;
inline constexpr uint32_t ComboSetCurSel = 0x014E;
inline constexpr uint32_t ComboShowDropDown = 0x014F;
inline constexpr uint32_t ComboGetDroppedState = 0x0157;
inline constexpr uint32_t ProgressSetRange = 0x0401; // long: minimum | maximum << 16
inline constexpr uint32_t ProgressSetPos = 0x0402;
inline constexpr uint32_t ProgressGetPos = 0x0408;
inline constexpr uint32_t UpDownSetRange32 = 0x046F; // word: lower, long: upper
inline constexpr uint32_t UpDownSetPos32 = 0x0471;
inline constexpr uint32_t UpDownGetPos32 = 0x0472;
} // namespace ctlmsg

// Notification codes.
inline constexpr uint16_t kButtonClicked = 0;
inline constexpr uint16_t kEditChange = 0x0300;
inline constexpr uint16_t kComboSelChange = 1;
inline constexpr uint16_t kComboDropDown = 7;
inline constexpr uint16_t kComboCloseUp = 8;
inline constexpr uint16_t kComboSelEndOk = 9;
inline constexpr uint16_t kComboSelEndCancel = 10;
inline constexpr uint32_t kUpDownDeltaPos = static_cast<uint32_t>(-722);

// Scroll codes of msg::HScroll and msg::VScroll (low word); thumb positions
// in the high word.
namespace scroll {
inline constexpr uint16_t LineUp = 0;
inline constexpr uint16_t LineDown = 1;
inline constexpr uint16_t PageUp = 2;
inline constexpr uint16_t PageDown = 3;
inline constexpr uint16_t ThumbPosition = 4;
inline constexpr uint16_t ThumbTrack = 5;
inline constexpr uint16_t Top = 6;
inline constexpr uint16_t Bottom = 7;
inline constexpr uint16_t EndScroll = 8;
} // namespace scroll

// What a scroll bar shows: positions run from minimum to maximum - page.
struct ScrollInfo {
    static constexpr uint32_t kRange = 0x1;
    static constexpr uint32_t kPage = 0x2;
    static constexpr uint32_t kPos = 0x4;
    static constexpr uint32_t kTrackPos = 0x10;
    static constexpr uint32_t kAll = 0x17;
    uint32_t mask = kAll;
    int minimum = 0;
    int maximum = 0;
    unsigned page = 0;
    int position = 0;
    int trackPosition = 0;
};

// What an up-down control's msg::Notify points at.
struct UpDownNotify {
    NotifyHeader header;
    int position = 0;
    int delta = 0;
};

// Replaces a window's procedure; returns the previous one. Messages a
// replacement does not consume go to the previous one through
// CallWindowProcedure.
using ControlProc = WindowProc;
ControlProc SetWindowProcedure(WindowHandle window, ControlProc procedure);
ControlProc GetWindowProcedure(WindowHandle window);
LResult CallWindowProcedure(ControlProc procedure, WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

// The height of a drop-down list's field; the rest of its window height is
// room for the list.
inline constexpr int kComboFieldHeight = 21;

// Convenience wrappers for the text messages.
void SetControlText(WindowHandle control, const std::string& text);
std::string GetControlText(WindowHandle control);

// The bell.
void MessageBeep();

} // namespace platform
