#pragma once

#include "framework/files/FileSpec.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileTypes.h"

#include <cstdint>
#include <memory>
#include <string>

// The open and save dialogs and the folder picker. The owner is a native
// window (0: none); the window classes add overloads taking their windows.
// One given no folder of its own (nor a proposed name with a folder) starts
// in the folder of the file or folder last chosen in any of them, else in the
// home folder.
namespace NSHarrowen {

// "[WARN]^0 already exists.\rDo you want to replace it?[OK][Cancel]": a save
// dialog's question before it replaces a file; only OK replaces.
inline constexpr uint32_t kReplaceFileAlert = 501000005;
// "[STOP]^0\rFile not found.\rCheck the file name and try again.[OK]": an
// open dialog's answer to a typed name that no file has.
inline constexpr uint32_t kMissingFileAlert = 501000006;
// "[STOP]^0\rThe folder does not exist.\rCheck the folder's name and try
// again.[OK]": a save dialog's answer to a name in a folder that does not exist.
inline constexpr uint32_t kMissingFolderAlert = 501000007;
// "[STOP]No file name was given.\rType a name for the file and try
// again.[OK]": an open or save dialog's answer to OK with the name empty.
inline constexpr uint32_t kNoFileNameAlert = 501000008;

class CABCWindow;
class CView;

// Lets the user pick an existing file of one of the types. On true the file spec
// and a copy of the first type the file matches are the caller's; a file
// that matches none of the types gives false and no outputs.
bool AskOpenFileFor(uint32_t owner, const char* title, const CFileTypeList& types,
                    std::unique_ptr<CFileTypeInfo>& outType, std::unique_ptr<CFileSpec>& outSpec,
                    const char* initialFolder = nullptr);
bool AskOpenFileOfTypeFor(uint32_t owner, const char* title, const CFileTypeInfo& type,
                          std::unique_ptr<CFileSpec>& outSpec, const char* initialFolder = nullptr);
// Lets the user name a file to write (asking before replacing one); the
// extension becomes the type's first when the name has none of the type's.
// A title of none leaves the dialog's own.
bool AskSaveFileFor(uint32_t owner, const std::string& defaultName, const CFileTypeInfo& type,
                    std::unique_ptr<CFileSpec>& outSpec, const char* title = nullptr);
// `shown`: files of this type are listed (greyed) in the folders, so the user
// sees what a folder holds.
bool ChooseFolderFor(uint32_t owner, const std::string& prompt, std::unique_ptr<CDirSpec>& outFolder,
                     const CFileTypeInfo* shown = nullptr);

// The same over framework windows: the owner's window (or the main frame)
// owns the dialog and is active again afterwards.
bool AskOpenFile(CABCWindow* owner, const char* title, const CFileTypeList& types,
                 std::unique_ptr<CFileTypeInfo>& outType, std::unique_ptr<CFileSpec>& outSpec,
                 const char* initialFolder = nullptr);
bool AskOpenFileOverFrame(const char* title, const CFileTypeList& types, std::unique_ptr<CFileTypeInfo>& outType,
                          std::unique_ptr<CFileSpec>& outSpec, const char* initialFolder = nullptr);
bool AskOpenFileOfType(CABCWindow* owner, const char* title, const CFileTypeInfo& type,
                       std::unique_ptr<CFileSpec>& outSpec, const char* initialFolder = nullptr);
bool AskSaveFile(CView* owner, const std::string& defaultName, const CFileTypeInfo& type,
                 std::unique_ptr<CFileSpec>& outSpec, const char* title = nullptr);
bool AskSaveFileOverFrame(const std::string& defaultName, const CFileTypeInfo& type,
                          std::unique_ptr<CFileSpec>& outSpec, const char* title = nullptr);
bool ChooseFolder(CView* owner, const std::string& prompt, std::unique_ptr<CDirSpec>& outFolder,
                  const CFileTypeInfo* shown = nullptr);

} // namespace NSHarrowen
