#include "framework/files/AskFileDialogs.h"

#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "platform/windows/Window.h"
#include "framework/files/DirSpec.h"

namespace NSHarrowen {

namespace {

platform::WindowHandle FrameHandle()
{
    const CApplication* app = GetApplication();
    return app ? app->GetFrameHandle() : 0;
}

platform::WindowHandle HandleOf(const CABCWindow* window)
{
    return window && window->GetHandle() ? window->GetHandle() : FrameHandle();
}

platform::WindowHandle HandleOf(const CView* view)
{
    return HandleOf(view ? view->GetWindow() : nullptr);
}

// The owner is made the active window again when the dialog has gone.
class CReactivate {
public:
    explicit CReactivate(platform::WindowHandle owner) : owner_(owner) { }
    ~CReactivate()
    {
        if (platform::IsWindow(owner_))
            platform::SetActiveWindow(platform::GetTopLevel(owner_));
    }
    CReactivate(const CReactivate&) = delete;
    CReactivate& operator=(const CReactivate&) = delete;

private:
    platform::WindowHandle owner_;
};

} // namespace

bool AskOpenFile(CABCWindow* owner, const char* title, const CFileTypeList& types,
                 std::unique_ptr<CFileTypeInfo>& outType, std::unique_ptr<CFileSpec>& outSpec,
                 const char* initialFolder)
{
    const platform::WindowHandle handle = HandleOf(owner);
    const CReactivate reactivate(handle);
    return AskOpenFileFor(handle, title, types, outType, outSpec, initialFolder);
}

bool AskOpenFileOverFrame(const char* title, const CFileTypeList& types, std::unique_ptr<CFileTypeInfo>& outType,
                          std::unique_ptr<CFileSpec>& outSpec, const char* initialFolder)
{
    return AskOpenFile(nullptr, title, types, outType, outSpec, initialFolder);
}

bool AskOpenFileOfType(CABCWindow* owner, const char* title, const CFileTypeInfo& type,
                       std::unique_ptr<CFileSpec>& outSpec, const char* initialFolder)
{
    const platform::WindowHandle handle = HandleOf(owner);
    const CReactivate reactivate(handle);
    return AskOpenFileOfTypeFor(handle, title, type, outSpec, initialFolder);
}

bool AskSaveFile(CView* owner, const std::string& defaultName, const CFileTypeInfo& type,
                 std::unique_ptr<CFileSpec>& outSpec, const char* title)
{
    return AskSaveFileFor(HandleOf(owner), defaultName, type, outSpec, title);
}

bool AskSaveFileOverFrame(const std::string& defaultName, const CFileTypeInfo& type,
                          std::unique_ptr<CFileSpec>& outSpec, const char* title)
{
    return AskSaveFileFor(FrameHandle(), defaultName, type, outSpec, title);
}

bool ChooseFolder(CView* owner, const std::string& prompt, std::unique_ptr<CDirSpec>& outFolder,
                  const CFileTypeInfo* shown)
{
    return ChooseFolderFor(HandleOf(owner), prompt, outFolder, shown);
}

} // namespace NSHarrowen
