#pragma once

#include "framework/views/View.h"

#include <cstdint>

// The keyboard floater's picture of all 128 notes (picture 274): 75 white
// keys of 9 pixels, octaves of 63 pixels, note 0 at the left end. A press
// and the release are latched for the floater's notification pass; the key
// of the sounding note carries a marker.
class CKeyboardBmp final : public NSHarrowen::CView {
public:
    static constexpr uint32_t kPicture = 274;
    static constexpr int16_t kWidth = 676;
    static constexpr int16_t kHeight = 32;
    static constexpr int16_t kBlackKeyHeight = 18;
    // No note (shown), or the mouse was released (clicked).
    static constexpr uint8_t kNoNote = 128;

    explicit CKeyboardBmp(NSHarrowen::CGroupView* parent);

    // The note under a point relative to the picture's top-left corner.
    static uint8_t HitTest(int x, int y);

    // The latched press (its note) or release (kNoNote); false when none.
    bool TakeClick(uint8_t& note);
    void SetNoteToShow(uint8_t note) { toShow_ = note; }
    uint8_t GetShownNote() const { return shown_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // The mouse taken away mid-press (another program came to the front):
    // the release is latched as if it had come, so no note is left sounding.
    void CaptureLost() override;
    void Draw() override;
    void UpdateDisplay() override;

private:
    uint8_t shown_ = kNoNote;
    uint8_t toShow_ = kNoNote;
    uint8_t clicked_ = kNoNote;
    bool clickChanged_ = false;
};
