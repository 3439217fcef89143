#include "updater/pages/PageDumpError.h"

namespace NSBootwren {

CPageDumpError::CPageDumpError(CWizardHost& host) : CWizardDialog(host, 110, {1040, 1042, 1041})
{
    MakeText(1044);
}

} // namespace NSBootwren
