#pragma once

#include "framework/controls/ControlView.h"

#include <cstdint>

class CPnlNoteSeqGraph;

// The note sequencer graph's small vertical scroll bar: arrows and track
// page the view, the thumb drags it. A drag moves the view as it goes and
// records the view state once, on release.
class CSeqScrollBar final : public NSHarrowen::CControlView {
public:
    CSeqScrollBar(NSHarrowen::CGroupView* parent, CPnlNoteSeqGraph& owner);
    ~CSeqScrollBar() override;
    CSeqScrollBar(const CSeqScrollBar&) = delete;
    CSeqScrollBar& operator=(const CSeqScrollBar&) = delete;

    void MouseDown(const NSHarrowen::CEvent& event) override;
    // The periodic work: follows the pointer while the thumb is held.
    void HandleBroadcast() override;
    // The release.
    void MouseStillDown() override;
    // The mouse taken away mid-drag (another program came to the front): the
    // view reached is recorded as the release records it.
    void CaptureLost() override;
    void Draw() override;

    uint8_t GetThumb() const { return thumb_; }
    void SetThumbPosition(uint8_t thumb) { thumb_ = thumb; }

    static constexpr uint32_t kPicture = 271;
    static constexpr uint8_t kThumbRange = 41;

private:
    uint8_t thumb_ = 0;
    CPnlNoteSeqGraph& owner_;
    int16_t lastY_ = 0;
    int16_t startY_ = 0;
};
