#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The editor's menu command ids and its eight menus.
namespace editorcommands {

enum ECommand : uint32_t {
    kNew = 100,
    kOpen = 101,
    kClose = 102,
    kSave = 103,
    kSaveAs = 104,
    kCloseAll = 105,
    kSaveAll = 106,
    kQuit = 115,
    kUndo = 200,
    kRedo = 201,
    kCut = 202,
    kCopy = 203,
    kPaste = 204,
    kClear = 205,
    kPatchSettings = 300,
    kDownloadToSlot = 304,
    kSaveInSynth = 305,
    kSynthSettings = 400,
    kUploadActiveSlot = 402,
    kBankUpload = 403,
    kSendControllerSnapshot = 404,
    kBankDownload = 406,
    kOptions = 500,
    kMidi = 501,
    kCascade = 700,
    kTileHorizontally = 701,
    kTileVertically = 702,
    kHelpContents = 900,
    kUsingHelp = 901,
    kAbout = 910,
    kKnobFloater = 1000,
    kKeyboardFloater = 1001,
    kNotesFloater = 1002,
    kBrowser = 1003,
};

// The menu scripts, in menu bar order: File, Edit, Patch, Synth, Setup,
// Tools, Windows, Help.
inline constexpr std::array<uint32_t, 8> kMenuScripts{600128001, 600128002, 600128003, 600128004,
                                                      600128005, 600128010, 600128007, 600128009};
inline constexpr size_t kWindowsMenu = 6;
// The Windows menu lists the open windows from this item on, after its
// separator.
inline constexpr int kWindowListStart = 4;

// Commands that only a patch window enables (the application disables them
// when none is active).
inline constexpr std::array<uint32_t, 12> kPatchWindowCommands{
    kSave,  kSaveAs, kUndo,          kRedo,           kCut,         kCopy,
    kPaste, kClear,  kPatchSettings, kDownloadToSlot, kSaveInSynth, kSendControllerSnapshot};

} // namespace editorcommands
