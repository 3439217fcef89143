#pragma once

#include "framework/base/Rect.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/link/PortPreferencesInterface.h"

#include <array>
#include <cstdint>
#include <string>

// The editor's settings for the life of the program: the four MIDI port
// pairs, the options, the floaters' places and the keyboard floater's note
// and mode. The object is itself the text stream of the preferences file,
// "TorvanKandrelEditor Preferences" in the user's settings folder, read at
// start and written at exit. File failures are silent: a missing, unreadable
// or other-version file leaves the defaults, and a failed save keeps the old
// file.
class CPreferences final : public CSectionedTextFile, public CPortPreferencesInterface {
public:
    static constexpr const char* kFileName = "TorvanKandrelEditor Preferences";
    static constexpr int32_t kFileVersion = 11;
    enum ECableStyle : uint32_t { kStraight3D = 0, kCurved3D = 1, kStraightThin = 2, kCurvedThin = 3 };
    enum EKeyboardMode : uint32_t { kKeyboardNone = 0, kKeyboardDrone = 1, kKeyboardRepeat = 2 };

    // A floater's rectangle and whether it was open at the last quit.
    struct CFloaterPlace {
        NSHarrowen::CRect rect;
        bool open = false;
    };

    CPreferences();

    void Load();
    void Save() override;
    // Formats the fields into the stream, and parses them out of it.
    void Write();
    void Read();

    uint32_t GetCableStyle() const { return cableStyle_; }
    void StoreCableStyle(uint32_t style);
    void SetCableStyle(uint32_t index);
    uint32_t GetKnobControl() const { return knobControl_; }
    void StoreKnobControl(uint32_t mode);
    void SetKnobControl(uint32_t index);

    void GetKeyboardSettings(uint8_t& note, uint32_t& mode) const;
    void SetKeyboardSettings(uint8_t note, uint32_t mode);
    void SetKeyboardSettingsChecked(uint32_t note, uint32_t mode);

    // The options bytes, copied in and out by the options dialog.
    bool autoUpload = true;
    bool maximisedWindows = true;
    bool recycleWindows = true;
    CFloaterPlace notesFloater;
    CFloaterPlace knobFloater;
    CFloaterPlace keyboardFloater;
    CFloaterPlace browser;

    // CPortPreferencesInterface.
    bool IsPortEnabled(uint8_t port) const override;
    std::string GetPortInputName(uint8_t port) const override;
    std::string GetPortOutputName(uint8_t port) const override;
    void SetPortEnabled(uint8_t port, bool enabled) override;
    void SetPortInputName(uint8_t port, const std::string& name) override;
    void SetPortOutputName(uint8_t port, const std::string& name) override;

private:
    struct CPortRecord {
        bool enabled = false;
        std::string input;
        std::string output;
    };

    void WriteFloaterPlace(const CFloaterPlace& place);
    void ReadFloaterPlace(CFloaterPlace& place);

    std::array<CPortRecord, kPortCount> ports_;
    uint32_t cableStyle_ = kCurved3D;
    uint32_t reserved_ = 1000;
    uint32_t knobControl_ = 1;
    uint8_t keyboardNote_ = 60;
    uint32_t keyboardMode_ = kKeyboardNone;
};

// The program's preferences while the editor runs; null otherwise.
CPreferences* GetPreferences();
void SetPreferences(CPreferences* preferences);
