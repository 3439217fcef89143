#pragma once

#include "editor/floaters/FloaterPlaceOf.h"
#include "editor/floaters/FloaterWindow.h"

#include <array>
#include <cstdint>

class CKeyboardBmp;
class CSynth;
class CTextCheckButton;
class CTextPushButton;

// The playable keyboard: clicking a key of the picture plays that note on
// the synthesizer of the current port. "Drone" holds the note until another
// key is pressed, "Repeat" switches it on and off once a second; four
// buttons scroll the picture by a key or an octave. The current note and
// the mode are kept in the preferences.
class CKeyboardFloater : public CFloaterWindow, public CFloaterPlaceOf<&CPreferences::keyboardFloater> {
public:
    enum EMode : uint32_t { kOff = 0, kDrone = 1, kRepeat = 2 };
    static constexpr uint8_t kDefaultNote = 60;
    static constexpr uint64_t kRepeatMs = 1000;

    // 200 x 50 pixels, 250 pixels right of the screen's left edge and 72
    // above its bottom.
    static NSHarrowen::CRect GetDefaultRect();

    CKeyboardFloater();
    ~CKeyboardFloater() override;

    void ReceiveNotifications() override;
    void UpdateState() override;
    void Idle() override;
    void GetSizeLimits(NSHarrowen::CPoint& minimum, NSHarrowen::CPoint& maximum) const override;
    void LayoutRootView() override;

    void SetMode(uint32_t mode);
    // The scroll offset in white keys, held so that the picture's edge does
    // not pass the window's middle by more than its overhang.
    void SetScroll(int16_t offset);
    uint32_t GetMode() const { return mode_; }
    int16_t GetScroll() const { return scroll_; }
    uint8_t GetCurrentNote() const { return currentNote_; }
    CKeyboardBmp& GetKeyboard() const { return *keyboard_; }
    CTextCheckButton& GetDroneButton() const { return *drone_; }
    CTextCheckButton& GetRepeatButton() const { return *repeat_; }

private:
    enum EScrollButton { kOctaveDown, kKeyDown, kKeyUp, kOctaveUp, kScrollButtonCount };

    CSynth* CurrentSynth() const;
    void PlayNote(uint8_t note);
    void ReleaseNote();
    bool IsNoteActive() const;
    uint8_t GetSoundingNote() const;
    void TakeKeyboardClick();

    CKeyboardBmp* keyboard_;
    int16_t scroll_ = 0;
    uint32_t mode_ = kOff;
    std::array<CTextPushButton*, kScrollButtonCount> scrollButtons_{};
    CTextCheckButton* drone_;
    CTextCheckButton* repeat_;
    uint64_t lastRepeat_ = 0;
    uint8_t currentNote_ = kDefaultNote;
};
