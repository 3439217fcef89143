#pragma once

#include "framework/base/Point.h"
#include "synth/protocol/ParamAddress.h"

#include <cstdint>
#include <string>

class CPnlControl;

// What a value control (knob, slider, button) asks of the panel that holds
// it. The control's parent view implements it; CModule turns the calls into
// parameter and morph edits of the patch document.
//
// An edit gesture runs BeginEdit (or TouchControl for the second press of a
// double click), then any number of ChangeValue / ChangeMorph steps (each
// sent at once), then EndEdit, which records the undo entries.
class CControlContainerInterface {
public:
    virtual ~CControlContainerInterface() = default;

    // Called by the control's constructor: the n-th control added edits
    // parameter n.
    virtual void AddControl(CPnlControl& control) = 0;
    virtual void ChangeValue(CPnlControl& control, uint8_t value) = 0;
    virtual void ChangeMorph(CPnlControl& control, int8_t amount) = 0;
    virtual void BeginEdit(CPnlControl& control) = 0;
    virtual void TouchControl(CPnlControl& control) = 0;
    virtual void EndEdit(CPnlControl& control) = 0;
    // `where` in window coordinates.
    virtual void ShowContextMenu(CPnlControl& control, NSHarrowen::CPoint where) = 0;
    // Whether the parameter may be morph-edited now; may assign it to the
    // toolbar's morph group first (one undoable edit).
    virtual bool AssignToToolbarMorphGroup(CPnlControl& control, int8_t amount) = 0;
    virtual void ShowValueBox(CPnlControl&) { }
    virtual void HideValueBox(CPnlControl&) { }
    virtual void RefreshControl(CPnlControl& control) = 0;
    virtual int8_t GetMorphAmount(const CPnlControl& control) const = 0;
    // 0-3, or 4 when the parameter has no morph group.
    virtual uint8_t GetMorphGroup(const CPnlControl& control) const = 0;
    virtual bool HasParamFocus(const CPnlControl& control) const = 0;
    virtual ParamAddress GetParamAddress(const CPnlControl& control) const = 0;
    virtual std::string GetModuleName(const CPnlControl& control) const = 0;
    virtual std::string GetParamName(const CPnlControl& control) const = 0;
    virtual uint8_t GetDefaultValue(const CPnlControl& control) const = 0;
};
