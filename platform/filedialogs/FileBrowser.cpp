#include "platform/filedialogs/FileBrowser.h"

#include "platform/filedialogs/FileBrowserWindow.h"
#include "platform/system/FileSystem.h"
#include "platform/system/DirectoryReader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace platform {

namespace {

FileDialogResponder& Responder()
{
    static FileDialogResponder responder;
    return responder;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string WithSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string ParentOf(const std::string& folder)
{
    std::string f = folder;
    while (f.size() > 1 && f.back() == '/')
        f.pop_back();
    const auto slash = f.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : f.substr(0, slash + 1);
}

bool HasExtension(std::string_view name)
{
    const auto slash = name.rfind('/');
    const auto base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    const auto dot = base.rfind('.');
    return dot != std::string_view::npos && dot > 0 && dot + 1 < base.size();
}

} // namespace

std::vector<FileFilterItem> ParseFileFilter(std::string_view filter)
{
    std::vector<FileFilterItem> items;
    while (!filter.empty()) {
        const auto end1 = filter.find('\0');
        if (end1 == std::string_view::npos)
            break;
        FileFilterItem item{std::string(filter.substr(0, end1)), {}};
        filter.remove_prefix(end1 + 1);
        const auto end2 = filter.find('\0');
        std::string_view patterns = filter.substr(0, end2);
        filter.remove_prefix(end2 == std::string_view::npos ? filter.size() : end2 + 1);
        while (!patterns.empty()) {
            const auto semi = patterns.find(';');
            const auto p = patterns.substr(0, semi);
            if (!p.empty())
                item.patterns.emplace_back(p);
            patterns.remove_prefix(semi == std::string_view::npos ? patterns.size() : semi + 1);
        }
        if (item.description.empty() && item.patterns.empty())
            break;
        items.push_back(std::move(item));
    }
    return items;
}

bool MatchesPattern(std::string_view fileName, std::string_view pattern)
{
    if (pattern == "*" || pattern == "*.*")
        return true;
    if (!pattern.empty() && pattern.front() == '*') {
        const auto tail = pattern.substr(1);
        return fileName.size() >= tail.size() && EqualNoCase(fileName.substr(fileName.size() - tail.size()), tail);
    }
    return EqualNoCase(fileName, pattern);
}

bool MatchesFilter(std::string_view fileName, const FileFilterItem& item)
{
    return std::any_of(item.patterns.begin(), item.patterns.end(),
                       [&](const std::string& p) { return MatchesPattern(fileName, p); });
}

FileDialogResponder SetFileDialogResponder(FileDialogResponder responder)
{
    auto previous = std::move(Responder());
    Responder() = std::move(responder);
    return previous;
}

std::optional<std::string> RunFileDialog(const FileDialogRequest& request)
{
    if (Responder())
        return Responder()(request);
    return ShowFileDialogWindow(request);
}

FileBrowser::FileBrowser(const FileDialogRequest& request)
    : request_(request), filters_(ParseFileFilter(request.filter)), name_(request.fileName)
{
    if (request.filterIndex >= 1 && static_cast<size_t>(request.filterIndex) <= filters_.size())
        filterIndex_ = static_cast<size_t>(request.filterIndex) - 1;
    std::string start =
        request.initialFolder.empty() || !IsDirectory(request.initialFolder) ? HomeDirectory() : request.initialFolder;
    // A proposed name with a folder ("/banks/Bass.pch") opens in that folder
    // with only the file's name in the field, as long as the folder exists.
    if (const auto slash = name_.rfind('/'); slash != std::string::npos) {
        const std::string folder =
            name_.front() == '/' ? name_.substr(0, slash + 1) : WithSlash(start) + name_.substr(0, slash + 1);
        if (IsDirectory(folder)) {
            start = folder;
            name_.erase(0, slash + 1);
        }
    }
    SetFolder(start);
}

void FileBrowser::SetFolder(const std::string& folder)
{
    // Shown and returned as a whole path ("/home/me/", never "./").
    std::error_code error;
    const std::filesystem::path whole =
        std::filesystem::weakly_canonical(std::filesystem::absolute(folder, error), error);
    folder_ = WithSlash(error || whole.empty() ? folder : whole.string());
    highlighted_.clear();
    entries_.clear();
    std::vector<Entry> folders;
    std::vector<Entry> files;
    CDirectoryReader reader(folder_);
    while (auto entry = reader.Next()) {
        if (entry->hidden)
            continue;
        const bool isDir = entry->directory || IsDirectory(folder_ + entry->name);
        const bool folderDialog = request_.kind == FileDialogKind::Folder;
        if (isDir)
            folders.push_back({entry->name, true});
        else if (folderDialog ? !filters_.empty() && MatchesFilter(entry->name, filters_[filterIndex_])
                              : filters_.empty() || MatchesFilter(entry->name, filters_[filterIndex_]))
            files.push_back({entry->name, false, folderDialog});
    }
    const auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries_ = std::move(folders);
    entries_.insert(entries_.end(), files.begin(), files.end());
}

void FileBrowser::GoUp()
{
    SetFolder(ParentOf(folder_));
}

void FileBrowser::Choose(const Entry& entry)
{
    if (entry.directory)
        SetFolder(folder_ + entry.name);
    else
        name_ = entry.name;
}

void FileBrowser::Highlight(const Entry* entry)
{
    highlighted_ = entry && entry->directory && request_.kind == FileDialogKind::Folder ? entry->name : "";
}

void FileBrowser::SetFilterIndex(size_t index)
{
    if (index < filters_.size()) {
        filterIndex_ = index;
        SetFolder(folder_);
    }
}

std::string FileBrowser::ResolvedPath() const
{
    if (request_.kind == FileDialogKind::Folder && name_.empty())
        return highlighted_.empty() ? folder_ : WithSlash(folder_ + highlighted_);
    std::string path = !name_.empty() && name_.front() == '/' ? name_ : folder_ + name_;
    if (request_.kind != FileDialogKind::Folder && !request_.defaultExtension.empty() && !HasExtension(name_) &&
        !IsDirectory(path) && !IsReadableFile(path))
        path += "." + request_.defaultExtension;
    return path;
}

FileBrowser::Answer FileBrowser::Check()
{
    const std::string path = ResolvedPath();
    if (request_.kind == FileDialogKind::Folder)
        return IsDirectory(path) ? Answer::Accept : Answer::Refuse;
    if (name_.empty())
        return Answer::NoName;
    if (IsDirectory(path)) {
        SetFolder(path);
        name_.clear();
        return Answer::Refuse;
    }
    if (request_.kind == FileDialogKind::Open)
        return !request_.fileMustExist || IsReadableFile(path) ? Answer::Accept : Answer::Missing;
    if (!IsDirectory(ParentOf(path)))
        return Answer::NoFolder;
    return request_.overwritePrompt && IsReadableFile(path) ? Answer::AskOverwrite : Answer::Accept;
}

} // namespace platform
