#pragma once

#include <cstdint>

class CPnlControl;

// Where the knob floater finds the knobs of the four morph groups (the
// toolbar's morph groups view): a floater knob assigned to a morph group
// works through that group's knob.
class CMorphKnobSource {
public:
    virtual ~CMorphKnobSource() = default;
    // The knob of a group 0-3, or null.
    virtual CPnlControl* GetMorphKnob(uint8_t group) const = 0;
};

// The program's source while one exists; null otherwise.
CMorphKnobSource* GetMorphKnobSource();
void SetMorphKnobSource(CMorphKnobSource* source);
