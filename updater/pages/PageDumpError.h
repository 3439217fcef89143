#pragma once

#include "updater/pages/WizardDialog.h"

namespace NSBootwren {

// The page of a failed dump (no step leads to it).
class CPageDumpError final : public CWizardDialog {
public:
    explicit CPageDumpError(CWizardHost& host);
    bool CanGoBack() const override { return true; }
    int BackPage() const override { return 2; }
};

} // namespace NSBootwren
