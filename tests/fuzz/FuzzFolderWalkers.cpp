// The folder walkers over a folder of odd entries: the bank transfer's
// folder scan (the framework's folder listing, then each patch file looked
// at and opened), the file dialogs' listing and the browser's disk page.
// The tree is made from the input: files, folders, named pipes, links (to
// an entry, to nothing, to themselves), unreadable folders and files, with
// long and non-UTF-8 names. Nothing may wait (a pipe opened for reading
// waits for a writer), crash or loop.
//
// Input: entries of three bytes or more: a kind, the index of the folder it
// goes in (among those made so far), a name length, then the name's bytes.

#include "dialogs/browser/FolderWalker.h"
#include "framework/base/Exceptions.h"
#include "framework/files/DirIterator.h"
#include "framework/files/FileSpec.h"
#include "framework/files/Media.h"
#include "platform/filedialogs/FileBrowser.h"
#include "tests/fuzz/FuzzFile.h"
#include "tests/fuzz/FuzzInput.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr size_t kMaxEntries = 32;
constexpr int kMaxDepth = 4;

fs::path Root()
{
    static const fs::path root = fs::path(fuzzinput::WriteInputFile("scratch", {})).parent_path() / "tree";
    return root;
}

void Clear(const fs::path& root)
{
    std::error_code error;
    // Unreadable folders of the last input are opened up before they go.
    for (fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    chmod(root.c_str(), 0700);
    fs::remove_all(root, error);
}

std::string NameFrom(fuzzinput::CFuzzInput& input)
{
    const size_t length = std::max<size_t>(1, input.TakeByte());
    std::string name;
    for (size_t i = 0; i < length && !input.Rest().empty(); ++i) {
        const char c = static_cast<char>(input.TakeByte());
        name += c == '/' || c == '\0' ? '_' : c;
    }
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return name;
}

void MakeTree(fuzzinput::CFuzzInput& input, const fs::path& root)
{
    std::vector<fs::path> folders{root};
    std::vector<fs::path> made;
    for (size_t n = 0; n < kMaxEntries && input.Rest().size() >= 3; ++n) {
        const uint8_t kind = input.TakeByte() % 9;
        const fs::path& folder = folders[input.TakeByte() % folders.size()];
        const fs::path path = folder / NameFrom(input);
        const std::string p = path.string();
        std::error_code error;
        // A name made twice is left as it is: writing into a pipe made
        // before would wait for a reader.
        if (struct stat st{}; lstat(p.c_str(), &st) == 0)
            continue;
        switch (kind) {
        case 0:
            std::ofstream(path) << "PCH";
            break;
        case 1:
            if (folders.size() < 12 && fs::create_directory(path, error))
                folders.push_back(path);
            break;
        case 2:
            mkfifo(p.c_str(), 0600);
            break;
        case 3:
            if (!made.empty())
                (void)symlink(made[input.TakeByte() % made.size()].c_str(), p.c_str());
            break;
        case 4:
            (void)symlink((root / "missing").c_str(), p.c_str());
            break;
        case 5:
            (void)symlink(p.c_str(), p.c_str());
            break;
        case 6:
            if (mkdir(p.c_str(), 0) == 0)
                made.push_back(path);
            break;
        case 7:
            std::ofstream(path) << "x";
            chmod(p.c_str(), 0);
            break;
        default:
            (void)symlink(folder.c_str(), p.c_str()); // a loop through a folder
            break;
        }
        made.push_back(path);
    }
}

// The bank transfer's scan: every patch file of the folder is opened.
void ScanAsTheBankTransfer(const fs::path& folder, int depth)
{
    NSHarrowen::CDirIterator files{NSHarrowen::CDirSpec(folder.string())};
    while (const std::unique_ptr<NSHarrowen::CFileTypeEntry> entry = files.Next()) {
        const fs::path path = folder / entry->name;
        if (entry->directory) {
            if (depth < kMaxDepth)
                ScanAsTheBankTransfer(path, depth + 1);
            continue;
        }
        try {
            const NSHarrowen::CFileSpec spec(path.string());
            if (spec.Exists()) {
                const std::unique_ptr<NSHarrowen::CMedia> media = spec.Open();
                uint8_t bytes[4];
                media->Read(sizeof bytes, bytes);
            }
        } catch (const NSHarrowen::XBase&) {
            // Refused or unreadable: the transfer reports it.
        }
    }
}

void ListAsTheFileDialog(const fs::path& root)
{
    platform::FileDialogRequest request;
    request.initialFolder = root.string();
    request.filter = "Patch files (*.pch)|*.pch|All files|*.*|";
    platform::FileBrowser browser(request);
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const std::vector<platform::FileBrowser::Entry> entries = browser.GetEntries();
        const platform::FileBrowser::Entry* folder = nullptr;
        for (const auto& entry : entries) {
            if (entry.directory && !folder)
                folder = &entry;
            if (!entry.directory) {
                browser.SetName(entry.name);
                (void)browser.Check();
            }
        }
        if (!folder)
            break;
        browser.Choose(*folder);
    }
}

void WalkAsTheDiskPage(const fs::path& root)
{
    CFolderWalker walker(root);
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        std::string folder;
        while (const auto item = walker.NextItem())
            if (item->isFolder && folder.empty())
                folder = item->name;
        if (folder.empty() || !walker.EnterFolder(folder))
            break;
    }
    walker.GoUp();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fs::path root = Root();
    Clear(root);
    fs::create_directories(root);
    fuzzinput::CFuzzInput input(data, size);
    MakeTree(input, root);
    ScanAsTheBankTransfer(root, 0);
    ListAsTheFileDialog(root);
    WalkAsTheDiskPage(root);
    return 0;
}
