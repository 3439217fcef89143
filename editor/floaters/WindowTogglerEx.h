#pragma once

#include "editor/floaters/WindowToggler.h"

// The one instance of a floater that is hidden rather than destroyed (the
// patch browser): Hide takes it off the screen, keeping its place, and Open
// brings it back with its state. Besides what CWindowToggler asks of T, T supplies
// SaveStateToPreferences (its rectangle and state into the preferences),
// LoadStateFromPreferences (the state back; the rectangle is GetSavedRect)
// and SetWasOpen (the preferences' flag that it was shown at exit). A stored
// place whose top lies above the screen is not used.
template <typename T> class CWindowTogglerEx final : public T {
public:
    static T* Get() { return instance_; }
    static bool IsShown() { return shown_; }

    // Shows the floater, creating it on first use.
    static T* Open()
    {
        if (instance_) {
            instance_->LoadStateFromPreferences();
            instance_->SetWindowRect(T::GetSavedRect());
            platform::ShowWindow(instance_->GetHandle(), platform::ShowCommand::Show);
        } else {
            std::unique_ptr<CWindowTogglerEx> window(new CWindowTogglerEx());
            PlaceFloater<T>(*window, false);
            instance_ = window.get();
            platform::ShowWindow(instance_->GetHandle(), platform::ShowCommand::Show);
            instance_->ReapplyBounds();
            window.release();
        }
        shown_ = true;
        return instance_;
    }

    // Records the place and hides the window (the desktop unmaps it); the
    // object stays.
    static void Hide()
    {
        if (!instance_ || !shown_)
            return;
        instance_->SaveStateToPreferences();
        platform::ShowWindow(instance_->GetHandle(), platform::ShowCommand::Hide);
        shown_ = false;
    }

    ~CWindowTogglerEx() override
    {
        try {
            if (shown_)
                this->SaveStateToPreferences();
            T::SetWasOpen(shown_);
        } catch (...) {
            platform::RecordDroppedException("recording the browser's place");
        }
        shown_ = false;
        if (instance_ == this)
            instance_ = nullptr;
    }

private:
    CWindowTogglerEx() = default;

    static inline CWindowTogglerEx* instance_ = nullptr;
    static inline bool shown_ = false;
};
