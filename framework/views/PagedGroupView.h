#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/GroupView.h"
#include "framework/images/ImageCache.h"
#include "framework/views/SolidColorGroupView.h"
#include <string>

namespace NSHarrowen {

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
