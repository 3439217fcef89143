#pragma once

#include "patch/maps/OneToOneMap.h"

class CMKnobMapDump;

// Parameters assigned to the synthesizer's knobs: 0-17 the panel knobs, 19
// the pedal, 20 aftertouch, 22 the on/off switch; 23 is no knob.
class CKnobMap final : public COneToOneMap {
public:
    static constexpr uint8_t kNone = 23;

    CKnobMap() : COneToOneMap(kNone) { }

    bool GetParamOfKnob(uint8_t knob, ParamAddress& key) const { return FindParamOf(knob, key); }
    bool FindByKnob(uint8_t knob) const { return FindByValue(knob); }

    void ReplaceFrom(const CMKnobMapDump& dump);
    // Corrects the map after a dump: a knob held by several parameters is
    // taken from all of them, and parameters the document lacks go.
    // XPMapError "Knob assignment problem" when anything was removed.
    void Validate(const CMapHostInterface& host);
    std::unique_ptr<CMKnobMapDump> MakeDump() const;

private:
    bool IsAssignable(uint8_t value) const override;
    std::unique_ptr<CMolecule> MakeAssign(const ParamAddress& key, uint8_t value) const override;
    std::unique_ptr<CMolecule> MakeDeassign(uint8_t value) const override;
    std::unique_ptr<CMolecule> MakeRequest() const override;
};
