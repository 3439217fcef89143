#pragma once

// What a patch document does with each molecule that changes it. The patch
// document implements it; every such molecule's ApplyToPatch calls the one
// operation named after it, so the protocol needs nothing of the document.
class CMModuleNew;
class CMModuleDelete;
class CMModuleName;
class CMModuleMove;
class CMModuleDump;
class CMModuleParamDump;
class CMModuleNameDump;
class CMModuleCustomDataDump;
class CMCableConnect;
class CMCableDelete;
class CMCableRecolor;
class CMCableDump;
class CMParamFocusDump;
class CMParamChange;
class CMMorphChange;
class CMCustomData;
class CMKnobAssign;
class CMKnobDeassign;
class CMCtrlAssign;
class CMCtrlDeassign;
class CMMorphAssign;
class CMMorphKeyboardAssign;
class CMCtrlMapDump;
class CMKnobMapDump;
class CMMorphMapDump;
class CMPatchHeaderDump;
class CMPatchNameDump;
class CMCurrentNotesDump;

class CPatchApplyInterface {
public:
    virtual ~CPatchApplyInterface() = default;

    virtual void ApplyModuleNew(const CMModuleNew& molecule) = 0;
    virtual void ApplyModuleDelete(const CMModuleDelete& molecule) = 0;
    virtual void ApplyModuleName(const CMModuleName& molecule) = 0;
    virtual void ApplyModuleMove(const CMModuleMove& molecule) = 0;
    virtual void ApplyModuleDump(const CMModuleDump& molecule) = 0;
    virtual void ApplyModuleParamDump(const CMModuleParamDump& molecule) = 0;
    virtual void ApplyModuleNameDump(const CMModuleNameDump& molecule) = 0;
    virtual void ApplyModuleCustomDataDump(const CMModuleCustomDataDump& molecule) = 0;
    virtual void ApplyCableConnect(const CMCableConnect& molecule) = 0;
    virtual void ApplyCableDelete(const CMCableDelete& molecule) = 0;
    virtual void ApplyCableRecolor(const CMCableRecolor& molecule) = 0;
    virtual void ApplyCableDump(const CMCableDump& molecule) = 0;
    virtual void ApplyParamFocusDump(const CMParamFocusDump& molecule) = 0;
    virtual void ApplyParamChange(const CMParamChange& molecule) = 0;
    virtual void ApplyMorphChange(const CMMorphChange& molecule) = 0;
    virtual void ApplyCustomData(const CMCustomData& molecule) = 0;
    virtual void ApplyKnobAssign(const CMKnobAssign& molecule) = 0;
    virtual void ApplyKnobDeassign(const CMKnobDeassign& molecule) = 0;
    virtual void ApplyCtrlAssign(const CMCtrlAssign& molecule) = 0;
    virtual void ApplyCtrlDeassign(const CMCtrlDeassign& molecule) = 0;
    virtual void ApplyMorphAssign(const CMMorphAssign& molecule) = 0;
    virtual void ApplyMorphKeyboardAssign(const CMMorphKeyboardAssign& molecule) = 0;
    virtual void ApplyCtrlMapDump(const CMCtrlMapDump& molecule) = 0;
    virtual void ApplyKnobMapDump(const CMKnobMapDump& molecule) = 0;
    virtual void ApplyMorphMapDump(const CMMorphMapDump& molecule) = 0;
    virtual void ApplyPatchHeaderDump(const CMPatchHeaderDump& molecule) = 0;
    virtual void ApplyPatchNameDump(const CMPatchNameDump& molecule) = 0;
    virtual void ApplyCurrentNotesDump(const CMCurrentNotesDump& molecule) = 0;
};
