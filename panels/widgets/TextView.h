#pragma once

#include "framework/controls/ControlView.h"
#include "panels/painters/TextViewGUI.h"

#include <string>

// One line of text in a bevelled box that reports clicks. Info texts and
// the drum preset selector show their texts in it; the toolbar its status.
class CTextView final : public NSHarrowen::CControlView {
public:
    CTextView(NSHarrowen::CGroupView* parent, const std::string& text);

    // Changes the text (and redraws) only when it differs.
    void SetText(const std::string& text);
    void SetTextIfChanged(const std::string& text) { SetText(text); }
    const std::string& GetText() const { return painter_.GetText(); }
    // The font and text the view draws in its frame (the text cut only
    // where no font fits it).
    CFittedText GetFittedText() const;
    void SetStyle(uint8_t style);
    // Light text on dark (the current port's synthesizer name).
    void SetHighlight(bool highlight);
    bool IsHighlighted() const { return painter_.IsHighlighted(); }
    void Hide();
    void Show();
    bool IsHidden() const { return hidden_; }
    // True once after a press on the view.
    bool TakeClick();

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void Draw() override;
    void UpdateDisplay() override;

private:
    NSHarrowen::CRect savedFrame_;
    bool hidden_ = false;
    CTextViewGUI painter_;
    bool redraw_ = true;
    bool clicked_ = false;
};
