#include "editor/floaters/KeyboardBmp.h"

#include "framework/drawing/Canvas.h"
#include "framework/images/ImageCache.h"
#include "framework/input/Event.h"
#include "framework/windows/ABCWindow.h"

#include <algorithm>
#include <array>

using namespace NSHarrowen;

namespace {

constexpr int kWhiteKeyWidth = 9;
constexpr int kOctaveWidth = 63;

// The black keys' inclusive ranges within an octave, and their semitones.
struct BlackKey {
    int first;
    int last;
    int semitone;
};
constexpr std::array<BlackKey, 5> kBlackKeys{{{6, 12, 1}, {15, 21, 3}, {33, 39, 6}, {42, 48, 8}, {51, 57, 10}}};
constexpr std::array<int, 7> kWhiteSemitones{0, 2, 4, 5, 7, 9, 11};
// Where each semitone's marker sits within its octave.
constexpr std::array<int, 12> kMarkerX{4, 9, 13, 18, 22, 31, 36, 40, 45, 49, 54, 58};

bool IsBlack(int semitone)
{
    return std::any_of(kBlackKeys.begin(), kBlackKeys.end(),
                       [semitone](const BlackKey& k) { return k.semitone == semitone; });
}

} // namespace

CKeyboardBmp::CKeyboardBmp(CGroupView* parent) : CView(parent)
{
    SetFrame(CRect(0, 0, kWidth, kHeight));
}

uint8_t CKeyboardBmp::HitTest(int x, int y)
{
    const int white = x / kWhiteKeyWidth;
    const int octave = white / 7;
    int note = -1;
    if (y < kBlackKeyHeight) {
        const int p = x % kOctaveWidth;
        for (const BlackKey& key : kBlackKeys)
            if (p >= key.first && p <= key.last) {
                note = key.semitone + 12 * octave;
                break;
            }
    }
    if (note < 0)
        note = kWhiteSemitones[static_cast<size_t>(white % 7)] + 12 * octave;
    return static_cast<uint8_t>(std::clamp(note, 0, 127));
}

bool CKeyboardBmp::TakeClick(uint8_t& note)
{
    if (!clickChanged_)
        return false;
    clickChanged_ = false;
    note = clicked_;
    return true;
}

void CKeyboardBmp::MouseDown(const CEvent& event)
{
    if (!CaptureMouse())
        return;
    const CPoint where = event.GetPoint();
    clicked_ = HitTest(where.x - GetFrame().left, where.y - GetFrame().top);
    clickChanged_ = true;
    UpdateAllWindows();
}

void CKeyboardBmp::MouseStillDown()
{
    if (!HasMouseCapture())
        return;
    ReleaseMouse();
    CaptureLost();
}

void CKeyboardBmp::CaptureLost()
{
    clicked_ = kNoNote;
    clickChanged_ = true;
    UpdateAllWindows();
}

void CKeyboardBmp::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect& frame = GetFrame();
    canvas.DrawImage(frame.left, frame.top, CImageID(kPicture));
    if (shown_ == kNoNote)
        return;
    const int semitone = shown_ % 12;
    const int x = frame.left + 1 + kOctaveWidth * (shown_ / 12) + kMarkerX[static_cast<size_t>(semitone)];
    const int top = frame.top;
    if (IsBlack(semitone))
        canvas.FillRect(CRect(x - 3, top + 7, x + 2, top + 13), kWhite);
    else
        canvas.FillRect(CRect(x - 3, top + 21, x + 3, top + 28), kBlack);
}

void CKeyboardBmp::UpdateDisplay()
{
    if (shown_ != toShow_) {
        shown_ = toShow_;
        InvalidateFrame();
    }
}
