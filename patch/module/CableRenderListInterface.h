#pragma once

#include "framework/base/Point.h"
#include "synth/protocol/JackAddress.h"

#include <cstdint>

namespace NSHarrowen {
class CABCCanvas;
class CView;
} // namespace NSHarrowen

// The drawn cables of one voice area, keyed by their two ends. The module
// panels provide it (the cable renderers); the voice area only feeds it.
class CCableRenderListInterface {
public:
    virtual ~CCableRenderListInterface() = default;

    virtual void AddCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                          NSHarrowen::CPoint point2, uint8_t colour) = 0;
    virtual void RemoveCable(const JackAddress& end1, const JackAddress& end2) = 0;
    virtual void SetCableColour(const JackAddress& end1, const JackAddress& end2, uint8_t colour) = 0;
    // Changes both end points of a drawn cable (a module moved).
    virtual void MoveCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                           NSHarrowen::CPoint point2) = 0;
    virtual void InvalidateCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CView& view) = 0;
    virtual void MoveAll(NSHarrowen::CPoint offset) = 0;
    virtual void DrawAll(NSHarrowen::CABCCanvas& canvas) = 0;
    // Returns true when the style changed.
    virtual bool SetStyle(uint32_t style) = 0;
    virtual bool IsCurved() const = 0;
    // Gives the curved cables new shapes and marks them pending.
    virtual void Reshape() = 0;
    // Whether a change of the cables waits to be drawn; asking clears it.
    virtual bool TakePendingChange() = 0;
    virtual void ShowColour(uint8_t colour) = 0;
    virtual void HideColour(uint8_t colour) = 0;
    virtual bool IsColourShown(uint8_t colour) const = 0;
    virtual void HighlightCable(const JackAddress& end1, const JackAddress& end2) = 0;
    virtual void InvalidateHighlighted(NSHarrowen::CView& view) = 0;
    virtual void ClearHighlights() = 0;
};
