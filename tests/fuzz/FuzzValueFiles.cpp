// The framework's value files (<name>.value in the program's settings
// folder), read at start: the frame's placement and the stay-on-top flag,
// read as the run does.
//
// Input: the file's bytes, written as both values.

#include "framework/application/ApplicationValues.h"
#include "framework/base/Exceptions.h"
#include "platform/system/ConfigStore.h"
#include "tests/fuzz/FuzzFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path ValueFolder()
{
    const std::filesystem::path home =
        std::filesystem::path(fuzzinput::WriteInputFile("settings", {})).parent_path() / "config";
    ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    platform::SetApplicationName("FuzzValues");
    const std::filesystem::path folder = platform::UserConfigDirectory("FuzzValues");
    std::filesystem::create_directories(folder);
    return folder;
}

void Write(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::filesystem::path folder = ValueFolder();
    Write(folder / "MainFramePlacement.value", data, size);
    Write(folder / "StayOnTop.value", data, size);
    uint8_t bytes[NSHarrowen::CWindowPlacement::kSize];
    size_t length = 0;
    try {
        if (NSHarrowen::ReadApplicationValue("MainFramePlacement", bytes, length)) {
            if (length > sizeof bytes)
                __builtin_trap();
            if (const auto placement = NSHarrowen::CWindowPlacement::FromBytes(std::span(bytes, length)))
                (void)NSHarrowen::ShouldRestorePlacement(1, *placement);
        }
    } catch (const NSHarrowen::XBase&) {
        // Too large for the record: the run keeps its default placement.
    }
    uint8_t onTop = 0;
    try {
        (void)NSHarrowen::ReadApplicationValue("StayOnTop", std::span(&onTop, 1), length);
    } catch (const NSHarrowen::XBase&) { }
    const auto whole = platform::CConfigStore("FuzzValues").Read("StayOnTop");
    if (whole && (whole->size() != size || whole->size() > platform::CConfigStore::kMaxValueBytes))
        __builtin_trap();
    return 0;
}
