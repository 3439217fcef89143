#pragma once

#include "panels/jacks/PnlHole.h"

// Input and output jacks, and the eight concrete jacks by signal kind.
class CPnlInHole : public CPnlHole {
public:
    bool IsOutput() const override { return false; }

protected:
    CPnlInHole(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint32_t picture)
        : CPnlHole(parent, x, y, NSHarrowen::CImageID(picture))
    {
        Register(false);
    }
};

class CPnlOutHole : public CPnlHole {
public:
    bool IsOutput() const override { return true; }

protected:
    CPnlOutHole(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint32_t picture)
        : CPnlHole(parent, x, y, NSHarrowen::CImageID(picture))
    {
        Register(true);
    }
};

// A jack class from its base, signal kind and picture.
template <class Base, uint8_t Kind, uint32_t Picture> class CPnlKindHole final : public Base {
public:
    CPnlKindHole(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : Base(parent, x, y, Picture) { }
    uint8_t GetSignalKind() const override { return Kind; }
};

using CPnlLogicInHole = CPnlKindHole<CPnlInHole, 0, 224>;
using CPnlLogicOutHole = CPnlKindHole<CPnlOutHole, 0, 218>;
using CPnlAudioInHole = CPnlKindHole<CPnlInHole, 1, 209>;
using CPnlAudioOutHole = CPnlKindHole<CPnlOutHole, 1, 208>;
using CPnlControlInHole = CPnlKindHole<CPnlInHole, 2, 225>;
using CPnlControlOutHole = CPnlKindHole<CPnlOutHole, 2, 219>;
using CPnlSlaveInHole = CPnlKindHole<CPnlInHole, 3, 227>;
using CPnlSlaveOutHole = CPnlKindHole<CPnlOutHole, 3, 226>;
