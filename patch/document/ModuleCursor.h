#pragma once

#include "synth/protocol/ParamAddress.h"

#include <cstdint>
#include <vector>

class CModuleInterface;
class CPatch;

// A short-lived cursor over the parameters of a patch: a module of a voice
// area, or one of the four morph group knobs of the toolbar (location 2).
class CModuleCursor {
public:
    static constexpr uint8_t kMorphEntries = 4;
    static constexpr uint8_t kNoMorphEntry = 4;

    // At the default focus: the first morph group knob.
    explicit CModuleCursor(const CPatch& document);
    CModuleCursor(const CPatch& document, const ParamAddress& address);

    int32_t GetLocation() const { return location_; }
    // The module under the cursor; null at the morph knobs and at the end.
    CModuleInterface* GetModule() const { return module_; }
    uint8_t GetMorphEntry() const { return entry_; }
    bool IsAtEnd() const;
    // The address of the cursor's place: the module and its parameter, or
    // the morph group knob.
    ParamAddress GetAddress() const;

    void MoveUp();
    void MoveDown();
    void MoveLeft();
    void MoveRight();
    // The next or previous parameter of the module in its focus order, or
    // the next or previous morph group knob, wrapping.
    void NextParam();
    void PreviousParam();
    void NextArea();
    void PreviousArea();

private:
    void MoveToLocation(int32_t location);
    void MoveToModule(CModuleInterface* module);
    bool AreaHasModules(int32_t location) const;

    const CPatch* document_;
    int32_t location_ = 2;
    CModuleInterface* module_ = nullptr;
    uint8_t entry_ = 0;
    uint8_t param_ = 0;
};
