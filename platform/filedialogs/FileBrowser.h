#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The open, save and folder dialogs: a filter of file kinds, a folder, and
// the name the user picks. Headless programs and tests answer them through a
// responder; otherwise the layer shows its own modal dialog.
namespace platform {

struct FileFilterItem {
    std::string description;
    std::vector<std::string> patterns; // "*.mid", "*.*"
};

// "description" NUL "pattern;pattern" NUL ... as the file services build it.
std::vector<FileFilterItem> ParseFileFilter(std::string_view filter);
// A pattern of one "*" and a tail ("*.mid"), "*" or "*.*"; letter case is ignored.
bool MatchesPattern(std::string_view fileName, std::string_view pattern);
bool MatchesFilter(std::string_view fileName, const FileFilterItem& item);

enum class FileDialogKind { Open, Save, Folder };

// Why a typed name cannot close the dialog: no file has it (where the file
// must exist), its folder does not exist (save), or nothing was typed.
enum class FileDialogProblem { MissingFile, MissingFolder, NoName };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    uint32_t owner = 0; // the owner window
    std::string title;  // empty: the dialog's own
    std::string filter;
    int filterIndex = 1; // from 1
    std::string initialFolder;
    std::string fileName;         // the name shown at first (save); a folder in it is where the dialog opens
    std::string defaultExtension; // without its dot: added to a typed name that has none
    bool fileMustExist = false;
    bool overwritePrompt = false;
    // Asks whether an existing file may be replaced (true: replace); without
    // it the desktop's message box asks, and only its OK replaces.
    std::function<bool(const std::string& path)> confirmReplace;
    // Tells why the typed name cannot be taken; without it the desktop's
    // message box tells.
    std::function<void(FileDialogProblem problem, const std::string& name)> reportProblem;
};

// The user's answer: a path, or none when cancelled.
using FileDialogResponder = std::function<std::optional<std::string>(const FileDialogRequest&)>;
// Returns the responder it replaces.
FileDialogResponder SetFileDialogResponder(FileDialogResponder responder);
// Shows the dialog (or asks the responder) and returns the chosen path.
std::optional<std::string> RunFileDialog(const FileDialogRequest& request);

// The dialog's model: a folder's subfolders and the files the current filter
// lets through, the typed name, and the checks made before closing.
class FileBrowser {
public:
    struct Entry {
        std::string name;
        bool directory = false;
        // A file a folder dialog shows (greyed) but cannot choose.
        bool shownOnly = false;
    };
    enum class Answer { Accept, Refuse, AskOverwrite, Missing, NoFolder, NoName };

    explicit FileBrowser(const FileDialogRequest& request);

    const std::string& GetFolder() const { return folder_; }
    // Lists the folder again; a folder that cannot be read lists nothing.
    void SetFolder(const std::string& folder);
    void GoUp();
    // Opens a subfolder, or puts a file's name into the name field.
    void Choose(const Entry& entry);
    // The path OK gives with this entry highlighted and nothing typed: a
    // folder dialog chooses the highlighted folder, not the one it lists.
    void Highlight(const Entry* entry);
    const std::vector<Entry>& GetEntries() const { return entries_; }
    const std::vector<FileFilterItem>& GetFilters() const { return filters_; }
    size_t GetFilterIndex() const { return filterIndex_; }
    void SetFilterIndex(size_t index);

    const std::string& GetName() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // The path of the typed name (relative to the folder unless absolute),
    // with the default extension added when the name has none.
    std::string ResolvedPath() const;
    // Whether the dialog may close with ResolvedPath: a typed folder is
    // entered instead (Refuse), a file dialog needs a name, an open dialog an
    // existing file, a save dialog an existing folder and asks before
    // replacing a file.
    Answer Check();

private:
    FileDialogRequest request_;
    std::vector<FileFilterItem> filters_;
    size_t filterIndex_ = 0;
    std::string folder_;
    std::string name_;
    std::string highlighted_; // a folder of a folder dialog
    std::vector<Entry> entries_;
};

} // namespace platform
