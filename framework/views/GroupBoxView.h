#pragma once

#include "framework/views/GroupView.h"
#include "platform/windows/Message.h"

#include <string>

namespace NSHarrowen {

// A titled frame around other views. The frame and title are drawn on the
// window's canvas so that the views inside stay visible; the native group
// box control keeps the title. The group owns the views inside it.
class CGroupBoxView : public CGroupView {
public:
    CGroupBoxView(CGroupView* parent, const CRect& frame, const std::string& title);
    ~CGroupBoxView() override;

    void SetTitle(const std::string& title);
    std::string GetTitle() const;

    CRect GetContentRect() const override;
    void DrawBackground() override;
    void UpdateDisplay() override;
    void InvalidateOnResize(const CRect& oldFrame, const CRect& newFrame) override;

private:
    void InvalidateBorder(const CRect& frame);

    platform::WindowHandle frameControl_ = 0;
    bool shownEnabled_ = true;
};

} // namespace NSHarrowen
