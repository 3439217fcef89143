#include "dialogs/browser/FolderWalker.h"

#include <system_error>

namespace fs = std::filesystem;

CFolderWalker::CFolderWalker(fs::path top) : top_(std::move(top)), current_(top_)
{
    Restart();
}

bool CFolderWalker::List(const fs::path& folder, std::vector<CItem>& items)
{
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    if (error)
        return false;
    std::vector<CItem> listed;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            return false;
        CItem item;
        item.name = it->path().filename().string();
        std::error_code kind;
        item.isFolder = it->is_directory(kind);
        // Pipes, devices and sockets are no patch files: opening a pipe
        // would wait for a writer.
        if (!item.isFolder && !it->is_regular_file(kind))
            continue;
        if (!item.isFolder)
            if (const size_t dot = item.name.rfind('.'); dot != std::string::npos)
                item.extension = item.name.substr(dot);
        listed.push_back(std::move(item));
    }
    items = std::move(listed);
    return true;
}

bool CFolderWalker::Restart()
{
    if (!List(current_, items_))
        return false;
    next_ = 0;
    return true;
}

std::optional<CFolderWalker::CItem> CFolderWalker::NextItem()
{
    if (next_ >= items_.size())
        return std::nullopt;
    return items_[next_++];
}

bool CFolderWalker::EnterFolder(const std::string& name)
{
    const fs::path folder = current_ / name;
    std::vector<CItem> items;
    if (!List(folder, items))
        return false;
    current_ = folder;
    items_ = std::move(items);
    next_ = 0;
    return true;
}

void CFolderWalker::GoUp()
{
    if (IsAtTop())
        return;
    const fs::path parent = current_.parent_path();
    std::vector<CItem> items;
    if (!List(parent, items))
        return;
    current_ = parent;
    items_ = std::move(items);
    next_ = 0;
}
