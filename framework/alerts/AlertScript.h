#pragma once

#include "framework/base/Rect.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace NSHarrowen {

// The icon of an alert, from its tag.
enum EAlertIcon : int32_t {
    kAlertIconStop = 10, // "[STOP]"
    kAlertIconNote = 11, // "[NOTE]"
    kAlertIconWarn = 12, // "[WARN]"
    kAlertIconNone = 13, // "[NONE]" or any other six characters
};

// What an alert returns: buttons 1 to 3, or closed in another way.
enum EAlertResult : int {
    kAlertButton1 = 33,
    kAlertButton2 = 34,
    kAlertButton3 = 35,
    kAlertClosed = 36,
};

inline constexpr size_t kAlertScriptLength = 255;
inline constexpr size_t kAlertArgumentLength = 64;
inline constexpr size_t kAlertArgumentCount = 4;
inline constexpr size_t kAlertTextLength = 510;
inline constexpr size_t kAlertLabelLength = 255;
inline constexpr int kAlertMaxButtons = 3;

// An alert script taken apart: "[TAG]" "[title]"? message "[label]"...
// Labels are stored by button: the last label of the script is button 1.
struct CAlertScript {
    int32_t iconKind = kAlertIconNone;
    std::string title;
    std::string message;
    int16_t buttonCount = 0;
    std::array<std::string, kAlertMaxButtons> labels;

    // The buttons an alert box shows: a script without labels still gets
    // button 1 (with an empty label).
    int ShownButtons() const { return buttonCount < 1 ? 1 : buttonCount; }
    // What the message view shows: the title, a blank, then the message.
    std::string MessageText() const { return title + " " + message; }
};

// Replaces "^0", "^1", ... by the arguments (the first occurrence of each),
// then splits the script. A title without its closing "]" takes the rest of
// the script. Extra labels beyond three are ignored.
CAlertScript ParseAlertText(std::string_view script, const std::vector<std::string>& arguments);

// Variable text made safe to show in an alert: "[" becomes "(", "]" ")" and
// "^" "~", so that it cannot add tags, buttons or placeholders; cut to the
// argument length.
std::string SanitizeAlertArgument(std::string_view text);
// The same replacements without the length limit (for whole messages).
std::string SanitizeAlertText(std::string_view text);

// A script of one icon tag, one sanitised text and one OK button: the way
// to show a message made at run time.
std::string MakeAlertScript(std::string_view iconTag, std::string_view text, std::string_view label = "OK");

// The places of an alert box's views, in pixels.
struct CAlertLayout {
    std::array<CRect, kAlertMaxButtons> buttons; // only the shown ones count
    CRect message;
    CRect icon;
};

// Lays out the alert box from the template places of its items (buttons 1
// to 3, message, icon): no icon widens the message to the icon's left edge;
// two buttons move right by half the distance between the first two places;
// one button takes the middle place.
CAlertLayout LayoutAlert(const CAlertLayout& templatePlaces, int32_t iconKind, int buttonCount);

// The alert buttons' keyboard order: Right from button n (1-based) among
// count buttons, and Left.
int NextAlertButton(int current, int count, bool right);

} // namespace NSHarrowen
