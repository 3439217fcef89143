#include "framework/views/GroupBoxView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/EdgeDrawing.h"
#include "framework/base/Exceptions.h"
#include "framework/drawing/FontSpec.h"
#include "platform/controls/Controls.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {
constexpr int kTitleBand = 16;
}

CGroupBoxView::CGroupBoxView(CGroupView* parent, const CRect& frame, const std::string& title)
    : CGroupView(parent, frame)
{
    SetFrameChangeRedraw(kRedrawCustom);
    platform::RegisterControlClasses();
    platform::CreateParams params;
    params.className = platform::kButtonClass;
    params.title = title;
    params.style = platform::style::Child | platform::ctlstyle::GroupBox;
    CABCWindow* window = GetWindow();
    params.parent = window ? window->GetHandle() : 0;
    params.rect = platform::Rect(frame.left, frame.top, frame.right, frame.bottom);
    frameControl_ = platform::CreateWindow(params);
    if (!frameControl_)
        throw XOutOfMemory();
}

CGroupBoxView::~CGroupBoxView()
{
    DeleteChildren();
    if (platform::IsWindow(frameControl_))
        platform::DestroyWindow(frameControl_);
}

void CGroupBoxView::SetTitle(const std::string& title)
{
    if (GetTitle() != title) {
        platform::SetControlText(frameControl_, title);
        InvalidateRect(CRect(GetFrame().left, GetFrame().top, GetFrame().right, GetFrame().top + kTitleBand));
    }
}

std::string CGroupBoxView::GetTitle() const
{
    return platform::GetControlText(frameControl_).substr(0, 200);
}

CRect CGroupBoxView::GetContentRect() const
{
    const CRect f = GetFrame();
    return CRect(f.left + 4, f.top + kTitleBand, f.right - 4, f.bottom - 4);
}

void CGroupBoxView::DrawBackground()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    const CFontSpec& font = GetStandardFont();
    const int16_t textHeight = canvas.GetFontHeight(font);
    DrawEtchedFrame(canvas, CRect(f.left, f.top + textHeight / 2, f.right, f.bottom));
    const std::string title = GetTitle();
    if (!title.empty()) {
        const int16_t width = canvas.GetStringWidth(title.c_str(), font);
        canvas.FillRect(CRect(f.left + 7, f.top, f.left + 11 + width, f.top + textHeight),
                        window->GetBackgroundColor());
        canvas.DrawString(f.left + 9, f.top + canvas.GetFontAscent(font), title.c_str(), font,
                          shownEnabled_ ? kBlack : CColor::FromButtonShadow());
    }
    platform::EnableWindow(frameControl_, shownEnabled_);
}

void CGroupBoxView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (enabled != shownEnabled_) {
        shownEnabled_ = enabled;
        InvalidateFrame();
    }
    CGroupView::UpdateDisplay();
}

void CGroupBoxView::InvalidateBorder(const CRect& f)
{
    InvalidateRect(CRect(f.left, f.top, f.right, f.top + kTitleBand));
    InvalidateRect(CRect(f.left, f.bottom - 4, f.right, f.bottom));
    InvalidateRect(CRect(f.left, f.top, f.left + 4, f.bottom));
    InvalidateRect(CRect(f.right - 4, f.top, f.right, f.bottom));
}

void CGroupBoxView::InvalidateOnResize(const CRect& oldFrame, const CRect& newFrame)
{
    InvalidateBorder(oldFrame);
    InvalidateBorder(newFrame);
}

} // namespace NSHarrowen
