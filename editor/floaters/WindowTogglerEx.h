#pragma once

#include "editor/floaters/WindowToggler.h"

// The one instance of a floater that is hidden rather than destroyed (the
// patch browser): Hide parks it off screen and Open brings it back with its
// state. Besides what CWindowToggler asks of T, T supplies
// SaveStateToPreferences (its rectangle and state into the preferences),
// LoadStateFromPreferences (the state back; the rectangle is GetSavedRect)
// and SetWasOpen (the preferences' flag that it was shown at exit). A stored
// place whose top lies above the screen is not used.
template <typename T> class CWindowTogglerEx final : public T {
public:
    static constexpr int16_t kParked = -8192;

    static T* Get() { return instance_; }
    static bool IsShown() { return shown_; }

    // Shows the floater, creating it on first use.
    static T* Open()
    {
        if (instance_) {
            instance_->LoadStateFromPreferences();
            instance_->SetWindowRect(T::GetSavedRect());
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

    // Records the place and parks the window out of sight; the object stays.
    static void Hide()
    {
        if (!instance_ || !shown_)
            return;
        instance_->SaveStateToPreferences();
        instance_->SetWindowRect(NSHarrowen::CRect(kParked, kParked, kParked, kParked));
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
