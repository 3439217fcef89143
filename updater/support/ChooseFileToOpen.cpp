#include "updater/support/ChooseFileToOpen.h"

#include "framework/files/AskFileDialogs.h"

namespace NSBootwren {

std::unique_ptr<NSHarrowen::CFileSpec> ChooseFileToOpen(const std::string& title,
                                                        const NSHarrowen::CFileTypeList& types, std::string& lastFolder)
{
    std::unique_ptr<NSHarrowen::CFileTypeInfo> type;
    std::unique_ptr<NSHarrowen::CFileSpec> file;
    // The first question starts in the folder the program was started from.
    if (!NSHarrowen::AskOpenFileOverFrame(title.c_str(), types, type, file,
                                          lastFolder.empty() ? "." : lastFolder.c_str()))
        return nullptr;
    // Also when the file is then refused: the next question starts there.
    lastFolder = file->GetDirectoryPath();
    return file;
}

} // namespace NSBootwren
