#pragma once

#include "panels/painters/KnobGUI.h"

// The three round knob sizes; the medium painter also draws the indicator knob.
inline constexpr KnobGeometry kBigKnobGeometry = {199, 29, 0, 29, 32, 0, 17, 13, 15, false, 230, 24, 29, 8, 30, 29, 29};
inline constexpr KnobGeometry kMediumKnobGeometry = {205,  21,  1,  23, 25, 4,  13, 9, 11,
                                                     true, 231, 17, 23, 8,  24, 23, 21};
inline constexpr KnobGeometry kSmallKnobGeometry = {204, 19, 1, 21, 23, 5, 12, 8, 10, true, 233, 16, 21, 7, 22, 21, 19};

class CBigKnobGUI final : public CRoundKnobGUI {
public:
    explicit CBigKnobGUI(const NSHarrowen::CView& owner) : CRoundKnobGUI(owner, kBigKnobGeometry) { }
};

class CMediumKnobGUI final : public CRoundKnobGUI {
public:
    explicit CMediumKnobGUI(const NSHarrowen::CView& owner) : CRoundKnobGUI(owner, kMediumKnobGeometry) { }
};

class CSmallKnobGUI final : public CRoundKnobGUI {
public:
    explicit CSmallKnobGUI(const NSHarrowen::CView& owner) : CRoundKnobGUI(owner, kSmallKnobGeometry) { }
};
