#include "framework/controls/ControlLogic.h"

#include "framework/base/Utf8.h"

namespace NSHarrowen {

bool ShouldReportPick(int32_t pick, bool pending, int32_t pendingPick, int32_t selection)
{
    return pending ? pick != pendingPick : pick != selection;
}

int32_t WrapIndex(int32_t current, int32_t count, bool forward)
{
    if (count < 1)
        return 0;
    if (forward)
        return current < 0 || current >= count - 1 ? 0 : current + 1;
    return current <= 0 || current >= count ? count - 1 : current - 1;
}

int32_t ProgressPosition(uint16_t value)
{
    if (value == kProgressEmpty)
        return 0;
    return value > kProgressMaximum ? kProgressMaximum : value;
}

bool IsEditingKey(const CKeyEvent& event)
{
    if (event.character == 8)
        return true;
    if (event.kind == kEventKeyUp)
        return false;
    switch (event.code) {
    case kKeyBackspace:
    case kKeyInsert:
    case kKeyHome:
    case kKeyDelete:
    case kKeyEnd:
    case kKeyUp:
    case kKeyLeft:
    case kKeyDown:
    case kKeyRight:
    case 93: // Num Lock
        return true;
    default:
        return false;
    }
}

EEditKeyAction ClassifyEditKey(const CKeyEvent& event, int32_t returnMode, bool atLimit, bool numbersOnly)
{
    if (event.code == kKeyEscape || event.code == kKeyTab)
        return EEditKeyAction::ToParent;
    if (event.code == kKeyReturn || event.code == kKeyEnter) {
        if (event.kind != kEventKeyDown)
            return EEditKeyAction::Ignore;
        switch (returnMode) {
        case kReturnCommits:
            return EEditKeyAction::Commit;
        case kReturnNextField:
            return EEditKeyAction::NextField;
        default:
            return EEditKeyAction::ToParent;
        }
    }
    if (IsEditingKey(event))
        return EEditKeyAction::EditKey;
    // Ctrl+A selects the field's whole text: the field's key, not a menu's.
    if (event.code == kKeyA && event.kind != kEventKeyUp && event.modifiers.IsControlOrCommandDown() &&
        !event.modifiers.IsAltDown())
        return EEditKeyAction::EditKey;
    if (event.kind == kEventKeyUp)
        return EEditKeyAction::Ignore;
    if (event.modifiers.IsControlDown() || event.modifiers.flags[8])
        return EEditKeyAction::ToParent;
    const char32_t c = event.character;
    if (c < 32 || c == 127)
        return EEditKeyAction::Ignore;
    if (numbersOnly &&
        (c > 127 || std::string_view("-0123456789").find(static_cast<char>(c)) == std::string_view::npos))
        return EEditKeyAction::Beep;
    return atLimit ? EEditKeyAction::Beep : EEditKeyAction::InsertChar;
}

std::optional<std::string> PasteText(std::string_view clipboard, int32_t textLength, int32_t selectionLength,
                                     int32_t maxLength)
{
    std::string_view text = clipboard.substr(0, Utf8CutLength(clipboard, 255));
    text = text.substr(0, text.find_first_of("\r\n"));
    if (static_cast<int64_t>(textLength) - selectionLength + static_cast<int64_t>(text.size()) > maxLength)
        return std::nullopt;
    return std::string(text);
}

std::string BoundedText(std::string_view text, size_t max)
{
    return std::string(text.substr(0, Utf8CutLength(text, max)));
}

} // namespace NSHarrowen
