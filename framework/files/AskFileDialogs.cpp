#include "framework/files/AskFileDialogs.h"

#include "framework/alerts/AlertHook.h"
#include "framework/base/Exceptions.h"
#include "platform/filedialogs/FileBrowser.h"
#include "framework/files/DirSpec.h"

namespace NSHarrowen {

namespace {

std::string WithoutDot(const std::string& extension)
{
    return !extension.empty() && extension.front() == '.' ? extension.substr(1) : extension;
}

// The program's alert for a name the dialog cannot take; the dialog stays
// open with the name to be corrected.
void ReportProblem(platform::FileDialogProblem problem, const std::string& name)
{
    static constexpr struct {
        platform::FileDialogProblem problem;
        uint32_t alert;
    } kAlerts[] = {{platform::FileDialogProblem::MissingFile, kMissingFileAlert},
                   {platform::FileDialogProblem::MissingFolder, kMissingFolderAlert},
                   {platform::FileDialogProblem::NoName, kNoFileNameAlert}};
    for (const auto& entry : kAlerts)
        if (entry.problem == problem)
            ShowFrameworkAlert(entry.alert, {name});
}

// The folder of the file or folder last chosen in any of these dialogs: one
// given no folder of its own starts there, as the user left off (a folder
// gone since is passed over by the dialog, which then starts at home).
std::string& LastFolder()
{
    static std::string folder;
    return folder;
}

std::string StartFolder(const char* given)
{
    return given != nullptr && *given != '\0' ? std::string(given) : LastFolder();
}

// The file chosen in the dialog, its folder remembered as the last one; none
// when the dialog was cancelled.
std::unique_ptr<CFileSpec> RunForFile(const platform::FileDialogRequest& request,
                                      const CFileTypeInfo* savedType = nullptr)
{
    auto path = platform::RunFileDialog(request);
    if (!path || path->empty())
        return nullptr;
    // A saved file takes its type's extension onto the name as typed, before
    // the folder is searched for the name's spelling: a folder whose name
    // differs only in case must not respell the file's.
    if (savedType != nullptr) {
        const std::string_view fileName = std::string_view(*path).substr(path->rfind('/') + 1);
        if (!MatchesFileType(*savedType, fileName))
            *path = path->substr(0, path->size() - ExtensionOf(fileName).size()) + GetExtensionAt(*savedType, 0);
    }
    auto spec = std::make_unique<CFileSpec>(*path);
    LastFolder() = spec->GetDirectoryPath();
    return spec;
}

} // namespace

bool AskOpenFileFor(uint32_t owner, const char* title, const CFileTypeList& types,
                    std::unique_ptr<CFileTypeInfo>& outType, std::unique_ptr<CFileSpec>& outSpec,
                    const char* initialFolder)
{
    outType.reset();
    outSpec.reset();
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Open;
    request.owner = owner;
    request.title = title != nullptr ? title : "";
    request.filter = MakeOpenFilter(types);
    request.filterIndex = 1;
    request.initialFolder = StartFolder(initialFolder);
    if (types.GetCount() > 0)
        request.defaultExtension = WithoutDot(GetExtensionAt(*types.begin(), 0));
    request.fileMustExist = true;
    request.reportProblem = ReportProblem;
    auto spec = RunForFile(request);
    if (!spec)
        return false;
    const CFileTypeInfo* type = FindFileType(types, spec->GetFileName());
    if (type == nullptr)
        return false;
    outType = std::make_unique<CFileTypeInfo>(*type);
    outSpec = std::move(spec);
    return true;
}

bool AskOpenFileOfTypeFor(uint32_t owner, const char* title, const CFileTypeInfo& type,
                          std::unique_ptr<CFileSpec>& outSpec, const char* initialFolder)
{
    const CFileTypeList types{type};
    std::unique_ptr<CFileTypeInfo> chosenType;
    return AskOpenFileFor(owner, title, types, chosenType, outSpec, initialFolder);
}

bool AskSaveFileFor(uint32_t owner, const std::string& defaultName, const CFileTypeInfo& type,
                    std::unique_ptr<CFileSpec>& outSpec, const char* title)
{
    outSpec.reset();
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Save;
    request.owner = owner;
    if (title != nullptr)
        request.title = title;
    request.filter = MakeSaveFilter(type);
    request.initialFolder = LastFolder();
    request.fileName = defaultName;
    request.defaultExtension = WithoutDot(GetExtensionAt(type, 0));
    request.overwritePrompt = true;
    request.confirmReplace = [](const std::string& path) { return ShowFrameworkAlert(kReplaceFileAlert, {path}) == 1; };
    request.reportProblem = ReportProblem;
    auto spec = RunForFile(request, &type);
    if (!spec)
        return false;
    outSpec = std::move(spec);
    return true;
}

bool ChooseFolderFor(uint32_t owner, const std::string& prompt, std::unique_ptr<CDirSpec>& outFolder,
                     const CFileTypeInfo* shown)
{
    outFolder.reset();
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogKind::Folder;
    request.owner = owner;
    request.title = prompt;
    request.initialFolder = LastFolder();
    if (shown != nullptr)
        request.filter = MakeOpenFilter(CFileTypeList{*shown});
    const auto path = platform::RunFileDialog(request);
    if (!path || path->empty())
        return false;
    outFolder = std::make_unique<CDirSpec>(*path);
    LastFolder() = outFolder->GetPath();
    return true;
}

} // namespace NSHarrowen
