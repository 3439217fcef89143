#pragma once

#include "framework/lists/LineRing.h"
#include "framework/views/View.h"

namespace NSHarrowen {

// The newest lines of a ring of text lines (not owned), scrolled by the
// owner: offset = GetTopLine shows the newest line at the bottom, 0 the
// oldest lines. Fewer lines than fit stand at the top.
class CTerminalView : public CView {
public:
    CTerminalView(CGroupView* parent, const CLineRing* ring);

    int32_t GetScrollOffset() const { return offset_; }
    void SetScrollOffset(int32_t offset) { offset_ = offset; }
    int32_t GetLineCount() const { return ring_ ? ring_->GetUsedLines() : 0; }
    int32_t GetVisibleLineCount() const;
    int32_t GetTopLine() const;

    void Draw() override;
    void UpdateDisplay() override;
    void HandleBroadcast() override;
    void FrameChanged(const CRect& oldFrame, const CRect& newFrame) override;

private:
    int32_t FontHeight() const;

    const CLineRing* ring_;
    int32_t offset_ = 0;
    int32_t drawnOffset_ = 0;
    int32_t seenCount_ = -1;
};

} // namespace NSHarrowen
