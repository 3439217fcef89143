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

// A picture of the image cache at the frame's top-left corner.
class CStaticBitmapView : public CView {
public:
    CStaticBitmapView(CGroupView* parent, uint32_t resource, uint32_t second = 0, uint32_t third = 0);
    void Draw() override;
    void UpdateDisplay() override;

private:
    CImageID image_;
    bool shownEnabled_ = true;
};

// A bar whose children stand in a row from the left, centred vertically.
class CToolbarView : public CSolidColorGroupView {
public:
    explicit CToolbarView(CGroupView* parent);
    void LayoutChildren() override;
};

// An etched line between groups of a tool bar.
class CToolbarSeparatorView : public CView {
public:
    explicit CToolbarSeparatorView(CGroupView* parent);
    void Draw() override;
};

// A group that shows one of its children (the page) and hides the others.
class CPagedGroupView : public CGroupView {
public:
    static constexpr int16_t kHiddenPosition = -8192;

    explicit CPagedGroupView(CGroupView* parent);
    void ShowPage(CView* page);
    void ShowPageAt(int index);
    CView* GetShownPage() const { return page_; }

    void Draw() override;
    void UpdateDisplay() override;
    void HandleBroadcast() override;
    void ReceiveNotifications() override;
    void UpdateState() override;
    void MouseDown(const CEvent& event) override;
    void LayoutChildren() override;
    void RemoveChild(CView* view) override;

private:
    CView* page_ = nullptr;
};

} // namespace NSHarrowen
