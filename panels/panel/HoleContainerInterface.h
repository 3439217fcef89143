#pragma once

#include "framework/base/Point.h"
#include "synth/protocol/JackAddress.h"

#include <cstdint>

class CPnlHole;

// What a jack asks of the panel that holds it. CModule stores the jacks
// (inputs and outputs numbered apart, in construction order) and answers
// the address questions; the cable gestures reach the voice area's cable
// drag manager through it.
class CHoleContainerInterface {
public:
    virtual ~CHoleContainerInterface() = default;

    virtual void AddInHole(CPnlHole& hole) = 0;
    virtual void AddOutHole(CPnlHole& hole) = 0;
    // A press on a connected jack (move its cables) or a free one (new cable).
    virtual void StartCableMove(CPnlHole& hole, NSHarrowen::CPoint where) = 0;
    virtual void StartCableDrag(CPnlHole& hole, NSHarrowen::CPoint where) = 0;
    virtual void ShowJackMenu(CPnlHole& hole, NSHarrowen::CPoint where) = 0;
    virtual void HighlightNet(CPnlHole& hole) = 0;
    virtual void ClearHighlight() = 0;
    virtual JackAddress GetJackAddress(const CPnlHole& hole) const = 0;
    virtual JackAddress GetNetRoot(const CPnlHole& hole) const = 0;
    virtual bool IsJackConnected(const CPnlHole& hole) const = 0;
    virtual bool IsJackLeaf(const CPnlHole& hole) const = 0;
};
