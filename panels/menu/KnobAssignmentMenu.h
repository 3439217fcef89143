#pragma once

#include "framework/base/Point.h"
#include "panels/menu/ContextMenu.h"
#include "synth/protocol/ParamAddress.h"

#include <cstdint>
#include <memory>

namespace NSHarrowen {
class CView;
}
class CEditPair;
class CModule;
class CPatch;

// The pop-up menu of one parameter: default value, zero morph, and the
// assignments to a panel knob, a morph group, a MIDI controller or (for a
// morph group of the toolbar, location 2) the keyboard. Its marks are set
// once, when it is built, from the patch's maps; every assignment is one
// undoable edit built by the maps.
class CKnobAssignmentMenu {
public:
    enum Command : uint32_t {
        kDefaultValue = 1037,
        kZeroMorph = 1038,
        kKnob = 1040,
        kMorph = 1041,
        kMidiController = 1042,
        kKeyboard = 1043,
        kHelp = 1045,
        kFirstKnob = 1046, // "Knob1" .. "Knob18": 1046 .. 1063
        kPedal = 1064,
        kAfterTouch = 1065,
        kOnOffSwitch = 1066,
        kKnobDisable = 1069,
        kFirstGroup = 1070, // "Group 1" .. "Group 4"
        kMorphDisable = 1079,
        kModulationWheel = 1080,
        kExpressionPedal = 1081,
        kMainVolume = 1082,
        kOtherController = 1085,
        kControllerDisable = 1089,
        kVelocity = 1090,
        kNote = 1091,
        kKeyboardDisable = 1099,
    };
    static constexpr uint8_t kNoKnob = 23;
    static constexpr uint8_t kNoGroup = 4;
    static constexpr uint8_t kNoController = 121;
    static constexpr int32_t kMorphLocation = 2;

    CKnobAssignmentMenu(CPatch& patch, const ParamAddress& address);
    ~CKnobAssignmentMenu();
    CKnobAssignmentMenu(const CKnobAssignmentMenu&) = delete;
    CKnobAssignmentMenu& operator=(const CKnobAssignmentMenu&) = delete;

    void RemoveKnobEntry();
    void RemoveMorphEntries();
    void RemoveKeyboardEntry();
    void RemoveEntry(uint32_t command);

    // Shows the menu at a window point of the view and carries out the choice.
    void TrackAndExecute(const NSHarrowen::CView& view, NSHarrowen::CPoint where);
    // Carries out a command as if it had been chosen.
    void Execute(uint32_t command);

    CContextMenu& GetMenu() { return *top_; }

private:
    void UpdateMarks();
    void MarkEntry(uint32_t command, bool used, bool ticked);
    CModule* FindModule() const;
    uint8_t KeyboardGroup() const;
    void SetDefaultValue();
    void ZeroMorph();
    void AssignKnob(uint32_t command, CEditPair& pair);
    void AssignMorph(uint32_t command, CEditPair& pair);
    void AssignMidiCtrl(uint32_t command, CEditPair& pair);
    void AssignKeyboard(uint32_t command, CEditPair& pair);

    CPatch& patch_;
    ParamAddress address_;
    bool knobEntries_ = true;
    bool morphEntries_ = true;
    bool controllerEntries_ = true;
    bool keyboardEntries_ = true;
    std::unique_ptr<CContextMenu> knobMenu_;
    std::unique_ptr<CContextMenu> controllerMenu_;
    std::unique_ptr<CContextMenu> morphMenu_;
    std::unique_ptr<CContextMenu> keyboardMenu_;
    std::unique_ptr<CContextMenu> top_;
};
