#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/GroupView.h"
#include "framework/images/ImageCache.h"
#include "framework/views/SolidColorGroupView.h"

#include <string>

namespace NSHarrowen {

// Word-wrapped text in the standard font: black, or grey while disabled.
// Texts are cut to 1000 characters.
class CStaticTextView : public CView {
public:
    static constexpr size_t kTextCapacity = 1000;

    CStaticTextView(CGroupView* parent, const std::string& text);
    CStaticTextView(CGroupView* parent, const CDialogItem& item);

    void SetText(const std::string& text);
    const std::string& GetText() const { return pending_; }
    // Another font than the standard one; redrawn at once.
    void SetFont(const CFontSpec& font);
    const CFontSpec& GetFont() const { return font_; }
    const std::string& GetShownText() const { return shown_; }
    bool IsShownEnabled() const { return shownEnabled_; }

    void Draw() override;
    void UpdateDisplay() override;

private:
    CFontSpec font_;
    std::string shown_;
    std::string pending_;
    bool shownEnabled_ = true;
};

} // namespace NSHarrowen
