#pragma once

namespace NSBootwren {

class CUpdateFile;
class CUpdateLink;
class CWizardDialog;

// What the step pages need of the application.
class CWizardHost {
public:
    virtual ~CWizardHost() = default;
    // Replaces the shown page by page n (1 to 8).
    virtual void ShowPage(int n) = 0;
    virtual const CUpdateFile& GetImage() const = 0;
    virtual CUpdateLink& GetLink() = 0;
    virtual void RequestQuit() = 0;
    // A page is being deleted (by the host or by the framework's windows).
    virtual void ForgetPage(CWizardDialog* page) = 0;
};

} // namespace NSBootwren
