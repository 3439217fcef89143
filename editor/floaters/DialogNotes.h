#pragma once

#include "editor/floaters/FloaterPlaceOf.h"
#include "editor/floaters/FloaterWindow.h"

#include <string>

class CEditTextView;
class CPatch;

// The notes floater: the free-text notes of the active patch (the patch
// whose window was activated last) in a multi-line edit that fills the
// window. Typing changes that patch's notes and marks it changed; with no
// patch window the text is empty and disabled.
class CDialogNotes : public CFloaterWindow, public CFloaterPlaceOf<&CPreferences::notesFloater> {
public:
    static constexpr uint32_t kHelpContext = 20;

    // 300 x 350 pixels at the right of the screen, 200 below its top.
    static NSHarrowen::CRect GetDefaultRect();

    CDialogNotes();
    ~CDialogNotes() override;

    uint32_t GetHelpContext() const override { return kHelpContext; }
    void ReceiveNotifications() override;
    void UpdateState() override;
    void LayoutRootView() override;

    CEditTextView& GetTextView() const { return *text_; }

private:
    void Show(CPatch* patch);

    CEditTextView* text_;
    CPatch* patch_ = nullptr;
    // The notes as last shown or stored: a patch whose notes changed
    // elsewhere (or a new patch in a freed one's place) is shown afresh.
    std::string shownNotes_;
};
