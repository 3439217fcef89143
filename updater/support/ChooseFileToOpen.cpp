#include "updater/support/ChooseFileToOpen.h"

#include "framework/files/AskFileDialogs.h"

namespace NSBootwren {

std::unique_ptr<NSHarrowen::CFileSpec> ChooseFileToOpen(const std::string& title,
                                                        const NSHarrowen::CFileTypeList& types)
{
    std::unique_ptr<NSHarrowen::CFileTypeInfo> type;
    std::unique_ptr<NSHarrowen::CFileSpec> file;
    if (!NSHarrowen::AskOpenFileOverFrame(title.c_str(), types, type, file, "."))
        return nullptr;
    return file;
}

} // namespace NSBootwren
