#pragma once

#include "panels/cables/RenderLineABC.h"
#include "patch/module/CableRenderListInterface.h"

#include <array>
#include <memory>
#include <vector>

// The drawn cables of one voice area: one renderer per cable, found by the
// pair of jacks it joins, in the area's cable style. The shapes of curved
// cables follow from their ends and the list's shape byte, so they stay the
// same until Reshape.
class CCableRenderList final : public CCableRenderListInterface {
public:
    enum Style : uint32_t { kStraight3D = 0, kCurved3D = 1, kStraightThin = 2, kCurvedThin = 3 };

    CCableRenderList();
    ~CCableRenderList() override;

    void AddCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                  NSHarrowen::CPoint point2, uint8_t colour) override;
    void RemoveCable(const JackAddress& end1, const JackAddress& end2) override;
    void SetCableColour(const JackAddress& end1, const JackAddress& end2, uint8_t colour) override;
    void MoveCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                   NSHarrowen::CPoint point2) override;
    void InvalidateCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CView& view) override;
    void MoveAll(NSHarrowen::CPoint offset) override;
    // Draws into the pixels the canvas draws on (a window's buffer or a
    // bitmap) where they are of 32 bits, within its clip, else as plain lines.
    void DrawAll(NSHarrowen::CABCCanvas& canvas) override;
    bool SetStyle(uint32_t style) override;
    bool IsCurved() const override { return style_ == kCurved3D || style_ == kCurvedThin; }
    void Reshape() override;
    bool TakePendingChange() override;
    void ShowColour(uint8_t colour) override;
    void HideColour(uint8_t colour) override;
    bool IsColourShown(uint8_t colour) const override;
    void HighlightCable(const JackAddress& end1, const JackAddress& end2) override;
    void InvalidateHighlighted(NSHarrowen::CView& view) override;
    void ClearHighlights() override;

    CRenderLineABC* FindCable(const JackAddress& end1, const JackAddress& end2) const;
    bool IsCableHighlighted(const JackAddress& end1, const JackAddress& end2) const;
    uint32_t GetStyle() const { return style_; }
    size_t GetCount() const { return renderers_.size(); }
    // Draws every shown or highlighted cable into locked 32-bit pixels.
    void DrawInto(const NSHarrowen::CRect& update, class CPixelTarget& target);

private:
    std::unique_ptr<CRenderLineABC> CreateRenderer(const CableKey& key, uint32_t colour) const;
    std::vector<std::unique_ptr<CRenderLineABC>>::iterator Find(const JackAddress& end1, const JackAddress& end2);
    bool IsDrawn(const CRenderLineABC& renderer) const;
    void RebuildAll();
    void DrawPlain(NSHarrowen::CABCCanvas& canvas) const;

    std::vector<std::unique_ptr<CRenderLineABC>> renderers_;
    uint32_t style_ = kCurved3D;
    std::array<bool, 7> colourShown_{true, true, true, true, true, true, true};
    uint8_t shape_ = 0;
    bool pending_ = false;
};
