#pragma once

#include "framework/input/Keyboard.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The decisions of the control views that need no window.
namespace NSHarrowen {

inline constexpr int16_t kNoPick = 666;
inline constexpr uint16_t kNoSelection = 65535;
inline constexpr uint16_t kProgressEmpty = 6666;
inline constexpr uint16_t kProgressMaximum = 1000;

// A radio group or pop-up reports a pick only when it differs from the pick
// already latched, or (with none latched) from the owner's selection.
bool ShouldReportPick(int32_t pick, bool pending, int32_t pendingPick, int32_t selection);

// The radio button an arrow key moves to: the previous or next, wrapping.
int32_t WrapIndex(int32_t current, int32_t count, bool forward);

// The native bar position for a progress value: 6666 shows an empty bar.
int32_t ProgressPosition(uint16_t value);

// What the Return key does in a text edit.
enum EReturnMode : int32_t {
    kReturnCommits = 50,   // takes the focus away, so the edit commits
    kReturnToParent = 51,  // the dialog's default button
    kReturnNextField = 52, // the next view of the focus chain
};

// What a text edit does with a key event that reaches it.
enum class EEditKeyAction {
    Ignore,
    ToParent,
    Commit,     // Return in mode 50
    NextField,  // Return in mode 52
    EditKey,    // a kind-36 notification: the key goes to the native edit
    InsertChar, // a kind-35 notification with the character
    Beep,
};

bool IsEditingKey(const CKeyEvent& event);

// atLimit: nothing is selected and the text has its maximum length already.
// numbersOnly refuses every typed character but "-0123456789" with a beep.
EEditKeyAction ClassifyEditKey(const CKeyEvent& event, int32_t returnMode, bool atLimit, bool numbersOnly = false);

// The text a paste inserts: at most 255 bytes of the clipboard, up to the
// first line break. None (a beep) when the edit's text would grow beyond the
// maximum length: textLength and selectionLength are the edit's now.
std::optional<std::string> PasteText(std::string_view clipboard, int32_t textLength, int32_t selectionLength,
                                     int32_t maxLength);

// A copy of text bounded to a byte count, never splitting a character.
std::string BoundedText(std::string_view text, size_t max);

} // namespace NSHarrowen
