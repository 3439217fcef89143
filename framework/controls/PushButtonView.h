#pragma once

#include "framework/controls/EventLatch.h"
#include "framework/windows/ModalDialog.h"
#include "framework/controls/NativeControlView.h"

namespace NSHarrowen {

// A push button; a modal dialog may make it its default or cancel button.
class CPushButtonView : public CNativeControlView, public IDialogButton {
public:
    CPushButtonView(CGroupView* parent, const std::string& title);
    CPushButtonView(CGroupView* parent, const CDialogItem& item);
    ~CPushButtonView() override;

    bool TakeClick() { return clicked_.Take(); }
    void SetDefaultLook(bool isDefault) override;
    bool HasDefaultLook() const { return defaultLook_; }
    // As if clicked, when the button is enabled up its parent chain.
    void Click() override { Click(true); }
    void Click(bool press);
    void SetTitle(const std::string& title) { SetNativeText(title); }

    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void UpdateDisplay() override;
    CRect GetOpaqueRect() const override { return NativeRectFor(GetFrame()); }
    CRect NativeRectFor(const CRect& frame) const override;

private:
    void Init(const std::string& title);

    bool defaultLook_ = false;
    CEventLatch<bool> clicked_;
};

} // namespace NSHarrowen
