// The editor's preferences file, read at start from the settings folder.

#include "editor/prefs/Preferences.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "tests/fuzz/FuzzFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The settings folder is a folder of this process: the user's real
// preferences are never touched.
std::string PreferencesPath()
{
    const std::filesystem::path home =
        std::filesystem::path(fuzzinput::WriteInputFile("settings", {})).parent_path() / "config";
    std::filesystem::create_directories(home);
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    const auto file = NSHarrowen::MakeWindowsDirSpec()->MakeFileSpec(CPreferences::kFileName);
    std::filesystem::create_directories(file->GetDirectoryPath());
    return file->GetFullPath();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = PreferencesPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CPreferences preferences;
    preferences.Load();
    // What was read must write back.
    preferences.Rewind();
    preferences.Write();
    return 0;
}
