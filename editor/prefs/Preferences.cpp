#include "editor/prefs/Preferences.h"

#include "editor/patches/PatchManager.h"
#include "framework/base/Exceptions.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "panels/items/DragState.h"

#include <memory>
#include <exception>

namespace {

CPreferences* gPreferences = nullptr;

constexpr const char* kCreator = "VESK";
constexpr const char* kFileType = "TEXT";
constexpr const char* kMidiSection = "MIDI";
constexpr const char* kOptionsSection = "Options";
constexpr const char* kWindowsSection = "Window Positions";
constexpr const char* kBrowserSection = "Browser";
constexpr uint8_t kDefaultNote = 60;

std::unique_ptr<NSHarrowen::CFileSpec> PreferencesFile()
{
    return NSHarrowen::MakeWindowsDirSpec()->MakeFileSpec(CPreferences::kFileName);
}

} // namespace

CPreferences* GetPreferences()
{
    return gPreferences;
}
void SetPreferences(CPreferences* preferences)
{
    gPreferences = preferences;
}

CPreferences::CPreferences()
{
    // Through the store operations, so the program-wide knob mode and the
    // (then empty) patch list follow the defaults.
    StoreCableStyle(kCurved3D);
    StoreKnobControl(1);
}

void CPreferences::Save()
{
    try {
        Rewind();
        Write();
        const std::unique_ptr<NSHarrowen::CFileSpec> file = PreferencesFile();
        OpenForWrite(*file, kCreator, kFileType);
        WriteAll();
    } catch (const NSHarrowen::XBase&) {
    } catch (const std::exception&) { }
    // Nothing is reported: the old file stays as it was.
    CloseFile();
}

void CPreferences::Load()
{
    try {
        const std::unique_ptr<NSHarrowen::CFileSpec> file = PreferencesFile();
        if (!file->Exists())
            return;
        Rewind();
        OpenForRead(*file);
        ReadAll();
        Read();
    } catch (const NSHarrowen::XBase&) {
    } catch (const std::exception&) { }
    // Fields read before a failure keep their values, the rest their defaults.
    CloseFile();
}

void CPreferences::WriteFloaterPlace(const CFloaterPlace& place)
{
    WriteShort(place.rect.left);
    WriteShort(place.rect.top);
    WriteShort(place.rect.right);
    WriteShort(place.rect.bottom);
    WriteBool(place.open);
}

void CPreferences::Write()
{
    WriteText("Version ");
    WriteSigned(kFileVersion);
    WriteNewline();

    WriteSectionBegin(kMidiSection);
    for (const CPortRecord& port : ports_)
        WriteBool(port.enabled);
    WriteNewline();
    for (const CPortRecord& port : ports_)
        WriteLine(port.input);
    for (const CPortRecord& port : ports_)
        WriteLine(port.output);
    WriteSectionEnd(kMidiSection);

    // The options' end mark closes their line.
    WriteSectionBegin(kOptionsSection);
    WriteUnsigned(cableStyle_);
    WriteUnsigned(reserved_);
    WriteUnsigned(knobControl_);
    WriteBool(autoUpload);
    WriteBool(maximisedWindows);
    WriteBool(recycleWindows);
    WriteSectionEnd(kOptionsSection);

    WriteSectionBegin(kWindowsSection);
    WriteFloaterPlace(notesFloater);
    WriteNewline();
    WriteFloaterPlace(knobFloater);
    WriteNewline();
    WriteFloaterPlace(keyboardFloater);
    WriteByte(keyboardNote_);
    WriteUnsigned(keyboardMode_);
    WriteNewline();
    WriteSectionEnd(kWindowsSection);

    WriteSectionBegin(kBrowserSection);
    WriteFloaterPlace(browser);
    WriteNewline();
    WriteSectionEnd(kBrowserSection);
}

void CPreferences::ReadFloaterPlace(CFloaterPlace& place)
{
    place.rect.left = static_cast<int16_t>(ReadSigned());
    place.rect.top = static_cast<int16_t>(ReadSigned());
    place.rect.right = static_cast<int16_t>(ReadSigned());
    place.rect.bottom = static_cast<int16_t>(ReadSigned());
    place.open = ReadLowByte() != 0;
}

void CPreferences::Read()
{
    ReadWord();
    if (ReadSigned() != kFileVersion || Failed())
        return;

    // A file without its MIDI section keeps the port defaults.
    if (SeekSection(kMidiSection)) {
        for (CPortRecord& port : ports_)
            port.enabled = ReadLowByte() != 0;
        ReadRestOfLine();
        std::string line;
        ReadLine(line); // the end of the flags' line
        // Device names are taken whole: a name may begin with a blank.
        for (CPortRecord& port : ports_)
            if (ReadWholeLine(line))
                port.input = line;
        for (CPortRecord& port : ports_)
            if (ReadWholeLine(line))
                port.output = line;
    }

    if (SeekSection(kOptionsSection)) {
        SetCableStyle(ReadUnsigned());
        reserved_ = ReadUnsigned();
        SetKnobControl(ReadUnsigned());
        autoUpload = ReadLowByte() != 0;
        maximisedWindows = ReadLowByte() != 0;
        recycleWindows = ReadLowByte() != 0;
    }

    if (SeekSection(kWindowsSection)) {
        ReadFloaterPlace(notesFloater);
        ReadFloaterPlace(knobFloater);
        ReadFloaterPlace(keyboardFloater);
        const uint32_t note = ReadUnsigned();
        const uint32_t mode = ReadUnsigned();
        if (!Failed())
            SetKeyboardSettingsChecked(note, mode);
    }

    if (SeekSection(kBrowserSection))
        ReadFloaterPlace(browser);
}

void CPreferences::StoreCableStyle(uint32_t style)
{
    cableStyle_ = style;
    if (CPatchManager* patches = GetPatchManager())
        patches->ApplyToAllPatches(style);
}

void CPreferences::SetCableStyle(uint32_t index)
{
    StoreCableStyle(index <= kCurvedThin ? index : kCurved3D);
}

void CPreferences::StoreKnobControl(uint32_t mode)
{
    knobControl_ = mode;
    SetKnobControlMode(static_cast<KnobControl>(mode));
}

void CPreferences::SetKnobControl(uint32_t index)
{
    StoreKnobControl(index <= 2 ? index : 0);
}

void CPreferences::GetKeyboardSettings(uint8_t& note, uint32_t& mode) const
{
    note = keyboardNote_;
    mode = keyboardMode_;
}

void CPreferences::SetKeyboardSettings(uint8_t note, uint32_t mode)
{
    keyboardNote_ = note;
    keyboardMode_ = mode;
}

void CPreferences::SetKeyboardSettingsChecked(uint32_t note, uint32_t mode)
{
    SetKeyboardSettings(note < 128 ? static_cast<uint8_t>(note) : kDefaultNote,
                        mode <= kKeyboardRepeat ? mode : kKeyboardNone);
}

bool CPreferences::IsPortEnabled(uint8_t port) const
{
    return port < kPortCount && ports_[port].enabled;
}

std::string CPreferences::GetPortInputName(uint8_t port) const
{
    return port < kPortCount ? ports_[port].input : std::string();
}

std::string CPreferences::GetPortOutputName(uint8_t port) const
{
    return port < kPortCount ? ports_[port].output : std::string();
}

void CPreferences::SetPortEnabled(uint8_t port, bool enabled)
{
    if (port < kPortCount)
        ports_[port].enabled = enabled;
}

void CPreferences::SetPortInputName(uint8_t port, const std::string& name)
{
    if (port < kPortCount)
        ports_[port].input = name;
}

void CPreferences::SetPortOutputName(uint8_t port, const std::string& name)
{
    if (port < kPortCount)
        ports_[port].output = name;
}
