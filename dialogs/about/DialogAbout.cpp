#include "dialogs/about/DialogAbout.h"

#include "framework/application/FileVersion.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticBitmapView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogTemplate.h"

using namespace NSHarrowen;

namespace {

const CDialogItem& RequireItem(const CABCWindow& window, uint16_t id)
{
    const CDialogItem* item = window.GetDialogItem(id);
    if (!item)
        throw XBase();
    return *item;
}

} // namespace

std::string FormatAboutVersion(const CHarrowenFileVersion& version)
{
    return "V" + std::to_string(version.GetMajor()) + "." + std::to_string(version.GetMinor()) +
        std::to_string(version.GetThird());
}

CDialogAbout::CDialogAbout() : CModalDialog(kTemplate), version_(nullptr), ok_(nullptr)
{
    CGroupView* root = GetRootView();
    auto* picture = new CStaticBitmapView(root, kPicture);
    const CPoint size = GetImageSize(CImageID(kPicture));
    picture->SetFrame(CRect(0, 0, size.x, size.y));
    for (uint16_t id : {kName, kNotice})
        new CStaticTextView(root, RequireItem(*this, id));
    version_ = new CStaticTextView(root, RequireItem(*this, kVersion));
    version_->SetText(FormatAboutVersion(ReadFileVersion()));
    ok_ = new CPushButtonView(root, RequireItem(*this, kOk));
    AddToFocusChain(ok_);
    SetDefaultButton(ok_);
    SetCancelButton(ok_);
}

void CDialogAbout::ReceiveNotifications()
{
    if (ok_->TakeClick())
        RequestClose();
    CModalDialog::ReceiveNotifications();
}
