#pragma once

#include "patch/module/CableRenderListInterface.h"
#include "framework/drawing/ABCCanvas.h"

// Cable renderers that draw nothing: a voice area without module panels
// (a document read for a transfer) keeps its cables in the model only.
class CNullCableRenderList final : public CCableRenderListInterface {
public:
    void AddCable(const JackAddress&, const JackAddress&, NSHarrowen::CPoint, NSHarrowen::CPoint, uint8_t) override { }
    void RemoveCable(const JackAddress&, const JackAddress&) override { }
    void SetCableColour(const JackAddress&, const JackAddress&, uint8_t) override { }
    void MoveCable(const JackAddress&, const JackAddress&, NSHarrowen::CPoint, NSHarrowen::CPoint) override { }
    void InvalidateCable(const JackAddress&, const JackAddress&, NSHarrowen::CView&) override { }
    void MoveAll(NSHarrowen::CPoint) override { }
    void DrawAll(NSHarrowen::CABCCanvas&) override { }
    bool SetStyle(uint32_t) override { return false; }
    bool IsCurved() const override { return false; }
    void Reshape() override { }
    bool TakePendingChange() override { return false; }
    void ShowColour(uint8_t) override { }
    void HideColour(uint8_t) override { }
    bool IsColourShown(uint8_t) const override { return true; }
    void HighlightCable(const JackAddress&, const JackAddress&) override { }
    void InvalidateHighlighted(NSHarrowen::CView&) override { }
    void ClearHighlights() override { }
};
