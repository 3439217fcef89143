#include "editor/floaters/KeyboardFloater.h"

#include "editor/controls/TextCheckButton.h"
#include "editor/floaters/KeyboardBmp.h"
#include "framework/drawing/Canvas.h"
#include "panels/widgets/TextPushButton.h"
#include "platform/system/Clock.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"

#include <algorithm>

using namespace NSHarrowen;

namespace {

constexpr int16_t kPictureMiddle = CKeyboardBmp::kWidth / 2;
constexpr int16_t kKeyWidth = 9;
constexpr int16_t kOctaveKeys = 7;
constexpr int16_t kButtonTop = 36;
constexpr int16_t kButtonHeight = 15;

struct ScrollButton {
    const char* label;
    int16_t x;
    int16_t step;
};
// In the floater's order: "<<", "<", ">", ">>"; positive steps move the
// picture right, toward the lower notes.
constexpr std::array<ScrollButton, 4> kScrollButtons{
    {{"<<", 3, kOctaveKeys}, {"<", 25, 1}, {">", 47, -1}, {">>", 69, -kOctaveKeys}}};
constexpr int16_t kScrollButtonWidth = 20;
constexpr int16_t kDroneX = 98;
constexpr int16_t kRepeatX = 135;
constexpr int16_t kModeButtonWidth = 35;

} // namespace

CRect CKeyboardFloater::GetDefaultRect()
{
    const CRect screen = GetScreenRect();
    const int left = screen.left + 250;
    const int top = screen.bottom - 72;
    return CRect(left, top, left + 200, top + 50);
}

CKeyboardFloater::CKeyboardFloater() : CFloaterWindow("Keyboard Floater", true, 0)
{
    keyboard_ = new CKeyboardBmp(GetRootView());
    for (size_t i = 0; i < kScrollButtons.size(); ++i)
        scrollButtons_[i] = new CTextPushButton(GetRootView(), kScrollButtons[i].label, CTextPushButton::Form::Window);
    drone_ = new CTextCheckButton(GetRootView(), "Drone");
    repeat_ = new CTextCheckButton(GetRootView(), "Repeat");
    uint8_t note = kDefaultNote;
    uint32_t mode = kOff;
    if (const CPreferences* prefs = GetPreferences())
        prefs->GetKeyboardSettings(note, mode);
    currentNote_ = std::min<uint8_t>(note, 127);
    SetMode(mode);
}

CKeyboardFloater::~CKeyboardFloater()
{
    if (CPreferences* prefs = GetPreferences())
        prefs->SetKeyboardSettings(currentNote_, mode_);
    // A held key, a drone or a repeated note must not go on sounding.
    if (IsNoteActive())
        ReleaseNote();
}

CSynth* CKeyboardFloater::CurrentSynth() const
{
    const CPortManager* ports = GetPortManager();
    return ports && ports->HasCurrentSynth() ? ports->GetSynth(ports->GetCurrentPort()) : nullptr;
}

void CKeyboardFloater::PlayNote(uint8_t note)
{
    if (CSynth* synth = CurrentSynth())
        synth->PlayNote(note);
}

void CKeyboardFloater::ReleaseNote()
{
    if (CSynth* synth = CurrentSynth())
        synth->ReleaseNote();
}

bool CKeyboardFloater::IsNoteActive() const
{
    const CSynth* synth = CurrentSynth();
    return synth && synth->IsNoteActive();
}

uint8_t CKeyboardFloater::GetSoundingNote() const
{
    const CSynth* synth = CurrentSynth();
    return synth ? synth->GetCurrentNote() : kDefaultNote;
}

void CKeyboardFloater::TakeKeyboardClick()
{
    uint8_t note = CKeyboardBmp::kNoNote;
    if (!keyboard_->TakeClick(note))
        return;
    const bool pressed = note != CKeyboardBmp::kNoNote;
    if (pressed)
        currentNote_ = note;
    switch (mode_) {
    case kOff:
        if (pressed)
            PlayNote(currentNote_);
        else
            ReleaseNote();
        break;
    case kDrone:
        // The drone moves to the pressed key; the release keeps it.
        if (pressed) {
            ReleaseNote();
            PlayNote(currentNote_);
        }
        break;
    default:
        break; // the repeat takes the new note at its next switch
    }
}

void CKeyboardFloater::ReceiveNotifications()
{
    TakeKeyboardClick();
    for (size_t i = 0; i < kScrollButtons.size(); ++i)
        if (scrollButtons_[i]->WasPushed())
            SetScroll(static_cast<int16_t>(scroll_ + kScrollButtons[i].step));
    uint8_t on = 0;
    if (drone_->TakeChange(on))
        SetMode(on ? kDrone : kOff);
    if (repeat_->TakeChange(on))
        SetMode(on ? kRepeat : kOff);
}

void CKeyboardFloater::SetMode(uint32_t mode)
{
    if (mode_ == kDrone || mode_ == kRepeat)
        ReleaseNote();
    // The two modes exclude each other.
    mode_ = mode <= kRepeat ? mode : kOff;
    drone_->SetOn(mode_ == kDrone);
    repeat_->SetOn(mode_ == kRepeat);
    if (mode_ == kRepeat) {
        PlayNote(currentNote_);
        lastRepeat_ = platform::NowMilliseconds();
    }
}

void CKeyboardFloater::UpdateState()
{
    keyboard_->SetNoteToShow(IsNoteActive() ? GetSoundingNote() : CKeyboardBmp::kNoNote);
    CFloaterWindow::UpdateState();
}

void CKeyboardFloater::Idle()
{
    if (mode_ == kRepeat) {
        const uint64_t now = platform::NowMilliseconds();
        if (now - lastRepeat_ > kRepeatMs) {
            lastRepeat_ = now;
            if (IsNoteActive())
                ReleaseNote();
            else
                PlayNote(currentNote_);
            UpdateAllWindows();
        }
    }
    CFloaterWindow::Idle();
}

void CKeyboardFloater::GetSizeLimits(CPoint& minimum, CPoint& maximum) const
{
    minimum = CPoint(120, 32);
    maximum = CPoint(CKeyboardBmp::kWidth, 50);
}

void CKeyboardFloater::SetScroll(int16_t offset)
{
    const int width = GetClientRect().Width();
    const int limit = (kPictureMiddle - width / 2) / kKeyWidth;
    scroll_ = static_cast<int16_t>(std::min(std::max<int>(offset, -limit), limit));
    const CRect client = GetClientRect();
    keyboard_->MoveTo(
        CPoint(static_cast<int16_t>(client.left + width / 2 + kKeyWidth * scroll_ - kPictureMiddle), client.top));
}

void CKeyboardFloater::LayoutRootView()
{
    CFloaterWindow::LayoutRootView();
    SetScroll(scroll_);
    const CRect client = GetClientRect();
    for (size_t i = 0; i < kScrollButtons.size(); ++i) {
        const int left = client.left + kScrollButtons[i].x;
        const int top = client.top + kButtonTop;
        scrollButtons_[i]->SetFrame(CRect(left, top, left + kScrollButtonWidth, top + kButtonHeight));
    }
    const int top = client.top + kButtonTop;
    drone_->SetFrame(CRect(client.left + kDroneX, top, client.left + kDroneX + kModeButtonWidth, top + kButtonHeight));
    repeat_->SetFrame(
        CRect(client.left + kRepeatX, top, client.left + kRepeatX + kModeButtonWidth, top + kButtonHeight));
}
