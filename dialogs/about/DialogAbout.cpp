#include "dialogs/about/DialogAbout.h"

#include "dialogs/common/DialogViews.h"
#include "framework/application/FileVersion.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticBitmapView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogTemplate.h"

using namespace NSHarrowen;

std::string FormatAboutVersion(const CHarrowenFileVersion& version)
{
    return "V" + std::to_string(version.GetMajor()) + "." + std::to_string(version.GetMinor()) +
        std::to_string(version.GetThird());
}

CDialogAbout::CDialogAbout() : CModalDialog(kTemplate), version_(nullptr), ok_(nullptr)
{
    CGroupView* root = GetRootView();
    const CDialogViews views(*this);
    auto* picture = new CStaticBitmapView(root, kPicture);
    const CPoint size = GetImageSize(CImageID(kPicture));
    picture->SetFrame(CRect(0, 0, size.x, size.y));
    for (uint16_t id : {kName, kNotice})
        views.Text(id);
    version_ = views.Text(kVersion);
    version_->SetText(FormatAboutVersion(ReadFileVersion()));
    ok_ = views.Button(kOk);
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
