#pragma once

#include "panels/graphs/PnlGraphABC.h"

#include <array>
#include <memory>

class CSeqScrollBar;

// The sixteen step notes as a piano-roll strip with a scroll bar. A click
// zooms in, a Ctrl-click out; zoom and scroll are the item's custom data,
// so a change is an undoable edit of the patch and comes back with it.
class CPnlNoteSeqGraph final : public CPnlGraphABC {
public:
    CPnlNoteSeqGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    ~CPnlNoteSeqGraph() override;

    void Draw() override;
    void UpdateDisplay() override;
    void GetCursor() override;
    void LayoutChildren() override;
    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    bool WriteChangedData(CCustomDataStream& stream) override;
    void ReadData(CCustomDataStream& stream) override;
    void WriteData(CCustomDataStream& stream) override;

    // The lowest and highest note the strip shows.
    void GetVisibleRange(uint8_t& low, uint8_t& high) const;
    bool IsOnScrollBar(int16_t x, int16_t y) const;

    void Zoom(int delta);
    void ScrollBy(int delta);
    void SetThumb(uint8_t position);
    void SendViewState();

    uint8_t GetZoom() const { return zoom_; }
    uint8_t GetScroll() const { return scroll_; }
    uint8_t GetThumb() const;
    // The highest scroll at the zoom.
    static uint8_t Span(uint8_t zoom);

    static constexpr uint32_t kZoomOutCursor = 283;
    static constexpr uint32_t kZoomInCursor = 268;

protected:
    void ReadValues() override;
    void DrawGraph(float width, float height) override;

private:
    void UpdateThumb();
    bool Press(int16_t x, int16_t y);

    uint8_t zoom_ = 3;
    uint8_t scroll_ = 52;
    uint8_t recordedZoom_ = 3;
    uint8_t recordedScroll_ = 52;
    std::array<uint8_t, 16> notes_{};
    std::unique_ptr<CSeqScrollBar> scrollBar_;
    bool thumbChanged_ = false;
    bool sending_ = false;
};
