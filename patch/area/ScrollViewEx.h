#pragma once

#include "framework/views/GroupView.h"

#include <cstdint>

// A group whose children lie on a plane shown shifted by a scroll offset. It
// scrolls by whole steps on request, and by itself while a drag holds the
// mouse near one of its edges.
class CScrollViewEx : public NSHarrowen::CGroupView {
public:
    // The strips along the edges in which a drag scrolls the view.
    static constexpr int16_t kEdgeZone = 15;
    // How long the mouse stays in a strip before the first scroll.
    static constexpr uint64_t kZoneDelayMs = 30;

    explicit CScrollViewEx(NSHarrowen::CGroupView* parent = nullptr);

    void HandleBroadcast() override;
    void Draw() override;
    void UpdateDisplay() override;
    void FrameChanged(const NSHarrowen::CRect& oldFrame, const NSHarrowen::CRect& newFrame) override;
    NSHarrowen::CRect GetContentRect() const override;

    // The children's extent from the content's origin (the drag margin
    // added while a drag scrolls the view).
    virtual NSHarrowen::CPoint GetContentExtent() const;
    // Hooks around a scroll of the shown content.
    virtual void WillScroll() { }
    virtual void DidScroll() { }
    // Steps of 0 to 255 pixels (only the low byte of n counts).
    virtual void ScrollRight(uint32_t n);
    virtual void ScrollLeft(uint32_t n);
    virtual void ScrollDown(uint32_t n);
    virtual void ScrollUp(uint32_t n);

    // Sets the offset wanted from the scroll bars, kept inside the content.
    void ScrollTo(int32_t x, int32_t y);
    int32_t GetWantedX() const { return wantedX_; }
    int32_t GetWantedY() const { return wantedY_; }
    int32_t GetShownX() const { return shownX_; }
    int32_t GetShownY() const { return shownY_; }
    NSHarrowen::CPoint GetContentOffset() const;

    void BeginAutoScroll(uint16_t marginWidth, uint16_t marginHeight);
    void EndAutoScroll();
    bool IsAutoScrolling() const { return autoScroll_; }
    // Pulls the offsets back into the content and updates the windows.
    void AutoScrollStep();
    // While set, a resize leaves the offsets alone.
    void SetOffsetLock(bool locked) { offsetLock_ = locked ? 1 : 0; }

private:
    enum EZone : int32_t { kNoZone = 0, kLeft, kRight, kTop, kBottom };

    int32_t MaxX() const;
    int32_t MaxY() const;
    void AfterStep();
    EZone ZoneAt(NSHarrowen::CPoint p, int16_t& depth) const;
    void ScrollToward(EZone zone, int16_t depth);

    int32_t wantedX_ = 0;
    int32_t wantedY_ = 0;
    int32_t shownX_ = 0;
    int32_t shownY_ = 0;
    uint16_t marginWidth_ = 0;
    uint16_t marginHeight_ = 0;
    bool autoScroll_ = false;
    int16_t offsetLock_ = 0;
    EZone zone_ = kNoZone;
    uint64_t zoneEntry_ = 0;
    uint64_t lastScroll_ = 0;
};
