#pragma once

#include "framework/base/Rect.h"
#include "framework/drawing/Canvas.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/windows/Window.h"

#include <memory>

// Whether a stored content rectangle may be used as it stands: it starts on
// the screen (above its bottom, left of its right edge) and keeps the size
// limits. `allowAbove` false also refuses a top above the screen.
bool IsUsableFloaterPlace(const NSHarrowen::CRect& content, const NSHarrowen::CRect& screen,
                          const NSHarrowen::CPoint& minimum, const NSHarrowen::CPoint& maximum, bool allowAbove = true);

// The window rectangle moved, not sized, wholly onto the screen; one larger
// than the screen keeps its caption's corner on it.
NSHarrowen::CRect OntoScreen(NSHarrowen::CRect rect, const NSHarrowen::CRect& screen);

// Moves a new floater window to its stored place when that is usable, else
// to the floater's default content rectangle; either is moved wholly onto the
// desktop (a place stored on a larger desktop, a default at the screen's edge
// that leaves the frame's border past it).
template <typename T> void PlaceFloater(T& window, bool allowAbove)
{
    const NSHarrowen::CRect screen = NSHarrowen::GetScreenRect();
    NSHarrowen::CRect content = T::GetSavedRect();
    window.WindowToContentRect(content);
    NSHarrowen::CPoint minimum, maximum;
    window.GetSizeLimits(minimum, maximum);
    if (IsUsableFloaterPlace(content, screen, minimum, maximum, allowAbove)) {
        window.SetWindowRect(OntoScreen(T::GetSavedRect(), screen));
        return;
    }
    NSHarrowen::CRect rect = T::GetDefaultRect();
    window.ContentToWindowRect(rect);
    window.SetWindowRect(OntoScreen(rect, screen));
}

// The one instance of a floater class T. T supplies its size limits
// (GetSizeLimits), its default content rectangle (GetDefaultRect) and the
// getter and setter of its window rectangle in the preferences (GetSavedRect,
// SaveRect). Open places the window where it was last time when that place
// is still usable; the window records its place as it goes.
template <typename T> class CWindowToggler final : public T {
public:
    // The open floater, or null.
    static T* Get() { return instance_; }

    // The existing instance, or a new one placed and shown.
    static T* Open()
    {
        if (instance_)
            return instance_;
        std::unique_ptr<CWindowToggler> window(new CWindowToggler());
        PlaceFloater<T>(*window, true);
        instance_ = window.get();
        platform::ShowWindow(window->GetHandle(), platform::ShowCommand::Show);
        window->ReapplyBounds();
        return window.release();
    }

    ~CWindowToggler() override
    {
        try {
            T::SaveRect(this->GetWindowRectInFrame());
        } catch (...) {
            platform::RecordDroppedException("recording a floater's place");
        }
        if (instance_ == this)
            instance_ = nullptr;
    }

private:
    CWindowToggler() = default;

    static inline CWindowToggler* instance_ = nullptr;
};
