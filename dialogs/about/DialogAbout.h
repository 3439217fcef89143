#pragma once

#include "framework/windows/ModalDialog.h"

#include <string>

namespace NSHarrowen {
class CHarrowenFileVersion;
class CPushButtonView;
class CStaticTextView;
} // namespace NSHarrowen

// The About box on dialog template 160: the splash picture, the program's
// name, the maker's notice and the version read from the program's own
// version record.
class CDialogAbout final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 160;
    static constexpr uint32_t kPicture = 317;
    enum EItem : uint16_t { kName = 1054, kNotice = 1139, kVersion = 1138, kOk = 1055 };

    CDialogAbout();

    void ReceiveNotifications() override;

    NSHarrowen::CStaticTextView* GetVersionText() const { return version_; }
    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }

private:
    NSHarrowen::CStaticTextView* version_;
    NSHarrowen::CPushButtonView* ok_;
};

// "V" with the major number, ".", and the minor and revision numbers run
// together: 3.0.3 reads "V3.03".
std::string FormatAboutVersion(const NSHarrowen::CHarrowenFileVersion& version);
