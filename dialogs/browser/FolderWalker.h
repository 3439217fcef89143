#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Walks the file system for the disk page, starting at the user's home
// folder (its top: up goes no further): the current folder's entries one by
// one with their names, whether each is a folder and its extension, entering
// sub-folders and going back up. A folder that cannot be read is not entered.
class CFolderWalker {
public:
    struct CItem {
        std::string name;
        bool isFolder = false;
        // From the last "." of the name on; empty for folders and names
        // without a dot.
        std::string extension;
    };

    explicit CFolderWalker(std::filesystem::path top);

    bool IsAtTop() const { return current_ == top_; }
    const std::filesystem::path& GetFolder() const { return current_; }
    // Lists the current folder afresh; false, with nothing changed, when it
    // cannot be read.
    bool Restart();
    std::optional<CItem> NextItem();
    // The full path of an entry of the current folder.
    std::filesystem::path GetPath(const std::string& name) const { return current_ / name; }
    // Enters a sub-folder; false, with nothing changed, when it cannot be read.
    bool EnterFolder(const std::string& name);
    // To the parent folder, never above the top; a parent that cannot be
    // read leaves the walker where it was.
    void GoUp();

private:
    static bool List(const std::filesystem::path& folder, std::vector<CItem>& items);

    std::filesystem::path top_;
    std::filesystem::path current_;
    std::vector<CItem> items_;
    size_t next_ = 0;
};
