#include "editor/windows/PatchKeyTable.h"

#include "editor/windows/PatchView.h"
#include "editor/windows/SplitterView.h"
#include "framework/input/Keyboard.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/PnlControl.h"
#include "panels/panel/ControlContainerInterface.h"
#include "panels/panel/Module.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/ModuleCursor.h"
#include "patch/document/Patch.h"

using namespace NSHarrowen;

namespace {

// Key codes of the table beside the framework's named ones.
enum : uint32_t {
    kKeyC = 64,
    kKeyP = 43,
    kKeyMinus = 71,
    kKeyEquals = 30,
    kKeyNumLock = 93,
    kKeypadMinus = 100,
    kKeypadPlus = 104,
    kKeyF5 = kKeyF1 + 4,
    kKeyF7 = kKeyF1 + 6,
    kKeyF8 = kKeyF1 + 7,
    kKeyF9 = kKeyF1 + 8,
    kKeyF12 = kKeyF1 + 11,
};

// The control of the patch's focused parameter, null when the focus is
// not on a module's control.
CPnlControl* FocusedControl(const CPatch& patch)
{
    const CModuleCursor cursor(patch, patch.GetParamFocus());
    auto* module = dynamic_cast<CModule*>(cursor.GetModule());
    return module ? module->GetControl(patch.GetParamFocus().param) : nullptr;
}

// One step of the focused control, one edit as a click on its arrow is.
template <void (CPnlControl::*Step)()> void StepFocused(CPatchView& view)
{
    CPnlControl* control = FocusedControl(view.GetPatch());
    CControlContainerInterface* container = control ? control->GetContainer() : nullptr;
    if (!container)
        return;
    container->BeginEdit(*control);
    (control->*Step)();
    container->EndEdit(*control);
    UpdateAllWindows();
}

// Moves the cursor from the focus and gives the focus to where it lands.
template <void (CModuleCursor::*Move)()> void MoveFocus(CPatchView& view)
{
    CPatch& patch = view.GetPatch();
    CModuleCursor cursor(patch, patch.GetParamFocus());
    (cursor.*Move)();
    if (!cursor.IsAtEnd())
        patch.SetParamFocus(cursor.GetAddress());
    UpdateAllWindows();
}

// Both areas, the upper first.
template <void (CPatchBackground::*Show)()> void ForBothAreas(CPatchView& view)
{
    for (const int32_t area : {1, 0})
        if (CPatchBackground* background = view.GetPatch().GetArea(area))
            (background->*Show)();
    UpdateAllWindows();
}

void CancelModes(CPatchView& view)
{
    view.GetPatch().CancelModes();
}

void DeleteSelection(CPatchView& view)
{
    view.GetPatch().DeleteSelection();
    UpdateAllWindows();
}

void SplitToTop(CPatchView& view)
{
    view.GetSplitter().RequestTopOrRestore();
    UpdateAllWindows();
}

void SplitToBottom(CPatchView& view)
{
    view.GetSplitter().RequestBottomOrRestore();
    UpdateAllWindows();
}

void UpdateCableDisplay(CPatchView& view)
{
    view.GetPatch().UpdateCableDisplay();
    UpdateAllWindows();
}

} // namespace

uint32_t CKeyCommand::ClassOf(const CModifierKeys& keys)
{
    const bool shift = keys.IsShiftOrExtendDown();
    const bool control = keys.IsControlOrCommandDown();
    if (shift && !control)
        return kShift;
    if (control && !shift)
        return kControl;
    return kNone;
}

CKeyCommand CKeyCommand::Of(const CKeyEvent& event)
{
    return CKeyCommand{event.code, event.kind, ClassOf(event.modifiers)};
}

PatchKeyTable::PatchKeyTable()
{
    using K = CKeyCommand;
    const auto add = [this](uint32_t code, uint32_t kind, uint32_t modifiers, Handler handler) {
        entries_.push_back({K{code, kind, modifiers}, handler});
    };
    // Value keys act on the press and on the keyboard's repeats.
    const auto addRepeating = [&add](uint32_t code, uint32_t modifiers, Handler handler) {
        add(code, kEventKeyDown, modifiers, handler);
        add(code, kEventKeyRepeat, modifiers, handler);
    };
    add(kKeyEscape, kEventKeyDown, K::kNone, CancelModes);
    add(kKeyNumLock, kEventKeyDown, K::kNone, DeleteSelection);
    add(kKeyDelete, kEventKeyDown, K::kNone, DeleteSelection);
    add(kKeyC, kEventKeyDown, K::kNone, SplitToTop);
    add(kKeyP, kEventKeyDown, K::kNone, SplitToBottom);
    for (const uint32_t code : {kKeyMinus, kKeypadMinus}) {
        addRepeating(code, K::kNone, StepFocused<&CPnlControl::DecrementValue>);
        addRepeating(code, K::kControl, StepFocused<&CPnlControl::DecrementMorph>);
    }
    for (const uint32_t code : {kKeyEquals, kKeypadPlus}) {
        addRepeating(code, K::kNone, StepFocused<&CPnlControl::IncrementValue>);
        addRepeating(code, K::kControl, StepFocused<&CPnlControl::IncrementMorph>);
    }
    add(kKeyUp, kEventKeyDown, K::kNone, MoveFocus<&CModuleCursor::NextArea>);
    add(kKeyDown, kEventKeyDown, K::kNone, MoveFocus<&CModuleCursor::PreviousArea>);
    add(kKeyLeft, kEventKeyDown, K::kNone, MoveFocus<&CModuleCursor::PreviousParam>);
    add(kKeyRight, kEventKeyDown, K::kNone, MoveFocus<&CModuleCursor::NextParam>);
    add(kKeyUp, kEventKeyDown, K::kControl, MoveFocus<&CModuleCursor::MoveDown>);
    add(kKeyDown, kEventKeyDown, K::kControl, MoveFocus<&CModuleCursor::MoveUp>);
    add(kKeyLeft, kEventKeyDown, K::kControl, MoveFocus<&CModuleCursor::MoveLeft>);
    add(kKeyRight, kEventKeyDown, K::kControl, MoveFocus<&CModuleCursor::MoveRight>);
    add(kKeyF5, kEventKeyDown, K::kNone, ForBothAreas<&CPatchBackground::ShowValueLabels>);
    add(kKeyF12, kEventKeyDown, K::kNone, ForBothAreas<&CPatchBackground::ShowScaledValueLabels>);
    add(kKeyF7, kEventKeyDown, K::kNone, ForBothAreas<&CPatchBackground::ShowMorphLabels>);
    add(kKeyF8, kEventKeyDown, K::kNone, ForBothAreas<&CPatchBackground::ShowKnobLabels>);
    add(kKeyF9, kEventKeyDown, K::kNone, ForBothAreas<&CPatchBackground::ShowCtrlLabels>);
    for (const uint32_t code : {kKeyF5, kKeyF7, kKeyF8, kKeyF9, kKeyF12})
        add(code, kEventKeyUp, K::kAny, ForBothAreas<&CPatchBackground::HideLabels>);
    add(kKeySpace, kEventKeyDown, K::kControl, UpdateCableDisplay);
}

const PatchKeyTable& PatchKeyTable::Get()
{
    static const PatchKeyTable table;
    return table;
}

PatchKeyTable::Handler PatchKeyTable::Find(const CKeyCommand& command) const
{
    const CKeyCommand any{command.code, command.kind, CKeyCommand::kAny};
    for (const auto& [entry, handler] : entries_)
        if (entry == command || entry == any)
            return handler;
    return nullptr;
}
