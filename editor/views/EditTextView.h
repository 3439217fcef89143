#pragma once

#include "framework/controls/NativeControlView.h"

#include <cstddef>
#include <string>

// A multi-line text edit in a view tree (the notes floater's). Lines end in
// CR alone for its owner and in CR LF inside the control. The caret keys
// move in the text directly; every other key first reaches the window's key
// handling, which hands it back through the key step. The owner learns of
// edits from the changed flag.
class CEditTextView : public NSHarrowen::CNativeControlView {
public:
    static constexpr size_t kMaxLength = 5000;

    // Off screen until the owner lays it out; throws XBase when the control
    // cannot be made.
    explicit CEditTextView(NSHarrowen::CGroupView* parent);

    int GetTextLength() const;
    // The text with CR line ends.
    std::string GetText() const;
    // Takes CR, LF or CR LF line ends.
    void SetText(const std::string& text);
    // Whether the user edited since the last call.
    bool TestAndClearChanged();

    void ForwardKey(const NSHarrowen::CKeyEvent& event) override;
    void UpdateDisplay() override;
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    void Edited();

    bool changed_ = false;
};
