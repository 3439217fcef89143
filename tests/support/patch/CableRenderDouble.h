#pragma once

#include "patch/module/CableRenderListInterface.h"
#include "framework/drawing/ABCCanvas.h"

#include <array>
#include <utility>
#include <vector>

namespace testsupport {

// Cables drawn as straight two-pixel lines in their colour; the list is
// readable, so tests can see what the voice area handed over.
class CCableRenderDouble final : public CCableRenderListInterface {
public:
    struct Cable {
        JackAddress end1;
        JackAddress end2;
        NSHarrowen::CPoint point1;
        NSHarrowen::CPoint point2;
        uint8_t colour = 0;
        bool highlighted = false;
    };

    void AddCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                  NSHarrowen::CPoint point2, uint8_t colour) override;
    void RemoveCable(const JackAddress& end1, const JackAddress& end2) override;
    void SetCableColour(const JackAddress& end1, const JackAddress& end2, uint8_t colour) override;
    void MoveCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                   NSHarrowen::CPoint point2) override;
    void InvalidateCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CView& view) override;
    void MoveAll(NSHarrowen::CPoint offset) override;
    void DrawAll(NSHarrowen::CABCCanvas& canvas) override;
    bool SetStyle(uint32_t style) override;
    bool IsCurved() const override { return style_ == 1 || style_ == 3; }
    void Reshape() override { pending_ = IsCurved() && !cables_.empty(); }
    bool TakePendingChange() override { return std::exchange(pending_, false); }
    void ShowColour(uint8_t colour) override;
    void HideColour(uint8_t colour) override;
    bool IsColourShown(uint8_t colour) const override;
    void HighlightCable(const JackAddress& end1, const JackAddress& end2) override;
    void InvalidateHighlighted(NSHarrowen::CView& view) override;
    void ClearHighlights() override;

    const std::vector<Cable>& GetCables() const { return cables_; }
    uint32_t GetStyle() const { return style_; }

private:
    Cable* Find(const JackAddress& end1, const JackAddress& end2);

    std::vector<Cable> cables_;
    uint32_t style_ = 0;
    bool pending_ = false;
    std::array<bool, 7> shown_{true, true, true, true, true, true, true};
};

} // namespace testsupport
