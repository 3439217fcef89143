#pragma once

#include "editor/windows/SaveQuestion.h"
#include "framework/windows/ModalDialog.h"

#include <string>

namespace NSHarrowen {
class CIconView;
class CPushButtonView;
class CStaticTextView;
} // namespace NSHarrowen

// The modal box of the save question, on dialog template 270. A clicked
// button writes its answer into the caller's variable and closes the box;
// the caller presets the variable.
class CSavePatchAlert final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 270;
    enum EItem : uint16_t { kYes = 1174, kCancel = 1175, kNo = 1004, kNoAll = 1173, kText = 1176, kIcon = 5 };

    CSavePatchAlert(const std::string& patchName, bool allowNoAll, ESaveAnswer* answer);

    void Open(const NSHarrowen::CRect& windowRect) override;
    void ReceiveNotifications() override;

    NSHarrowen::CPushButtonView* GetButton(EItem item) const;
    NSHarrowen::CStaticTextView* GetText() const { return text_; }

private:
    NSHarrowen::CPushButtonView* yes_;
    NSHarrowen::CPushButtonView* cancel_;
    NSHarrowen::CPushButtonView* no_;
    NSHarrowen::CPushButtonView* noAll_;
    NSHarrowen::CStaticTextView* text_;
    ESaveAnswer* answer_;
    NSHarrowen::CIconView* icon_;
};
