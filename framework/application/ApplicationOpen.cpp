#include "framework/alerts/AlertHook.h"
#include "platform/base/DroppedExceptions.h"
#include "framework/application/Application.h"
#include "framework/application/CommandLine.h"
#include "framework/application/Help.h"
#include "framework/application/SingleInstance.h"
#include "platform/system/FileSystem.h"
#include "framework/files/DirSpec.h"

namespace NSHarrowen {

bool CApplication::ParseCommandLine(const std::string& text)
{
    return ParseCommandLineText(
        text, [this](const std::string& path) { return OpenPath(path); },
        [](const std::string& rest) { ShowFrameworkAlert(kFileNotFoundAlert, {rest}); });
}

bool CApplication::OpenPath(const std::string& path)
{
    if (path.empty())
        return false;
    try {
        if (platform::IsDirectory(path))
            QueueOpenFolder(CDirSpec(path));
        else
            QueueOpenFile(CFileSpec(path));
        return true;
    } catch (...) {
        return false;
    }
}

void CApplication::QueueOpenFile(const CFileSpec& file)
{
    COpenDocumentRequest request;
    request.file = std::make_unique<CFileSpec>(file);
    openRequests_.push_back(std::move(request));
}

void CApplication::QueueOpenFolder(const CDirSpec& folder)
{
    COpenDocumentRequest request;
    request.folder = std::make_unique<CDirSpec>(folder);
    openRequests_.push_back(std::move(request));
}

void CApplication::QueueOpenUntitled()
{
    openRequests_.emplace_back();
}

void CApplication::ProcessOpenRequests()
{
    while (!openRequests_.empty()) {
        // Off the queue first: opening may run a dialog whose idle steps come here again.
        const COpenDocumentRequest request = std::move(openRequests_.front());
        openRequests_.pop_front();
        try {
            switch (request.Kind()) {
            case COpenDocumentRequest::kUntitled:
                OpenUntitled();
                break;
            case COpenDocumentRequest::kFile:
                OpenDocument(*request.file, request.file->GetFileType(), 0);
                break;
            case COpenDocumentRequest::kFolder:
                OpenFolder(*request.folder);
                break;
            }
        } catch (...) {
            // The program reports its own failures; the next request goes on.
            platform::RecordDroppedException("an open request");
        }
    }
}

void CApplication::TakeForwardedStart()
{
    const std::string text = TakeForwardedCommandLine();
    if (!text.empty())
        ParseCommandLine(text);
}

bool CApplication::GetHelpFilePath(std::string& name)
{
    // The guide's folder and first page, as they lie beside the executable.
    const std::string& path = NSHarrowen::GetHelpFilePath();
    const size_t page = path.rfind('/');
    const size_t folder = page == std::string::npos || page == 0 ? std::string::npos : path.rfind('/', page - 1);
    name = folder == std::string::npos ? path.substr(page + 1) : path.substr(folder + 1);
    return true;
}

void CApplication::ShowHelpTopic(uint32_t topic)
{
    NSHarrowen::ShowHelpTopic(topic);
}
void CApplication::ShowHelpFinder()
{
    NSHarrowen::ShowHelpFinder();
}
void CApplication::ShowHelpOnHelp()
{
    NSHarrowen::ShowHelpOnHelp();
}
void CApplication::CloseHelp()
{
    NSHarrowen::CloseHelp();
}

} // namespace NSHarrowen
