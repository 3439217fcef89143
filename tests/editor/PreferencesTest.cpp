#include "editor/prefs/Preferences.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "panels/items/DragState.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>

namespace editortest {

namespace {

const std::string kDefaultFile = "Version 11 \r\n"
                                 "[MIDI]\r\n"
                                 "0 0 0 0 \r\n"
                                 "\r\n\r\n\r\n\r\n"
                                 "\r\n\r\n\r\n\r\n"
                                 "[/MIDI]\r\n"
                                 "[Options]\r\n"
                                 "1 1000 1 1 1 1 [/Options]\r\n"
                                 "[Window Positions]\r\n"
                                 "0 0 0 0 0 \r\n"
                                 "0 0 0 0 0 \r\n"
                                 "0 0 0 0 0 60 0 \r\n"
                                 "[/Window Positions]\r\n"
                                 "[Browser]\r\n"
                                 "0 0 0 0 0 \r\n"
                                 "[/Browser]\r\n";

class PreferencesFile : public ::testing::Test {
protected:
    std::string Path() const
    {
        return NSHarrowen::MakeWindowsDirSpec()->MakeFileSpec(CPreferences::kFileName)->GetFullPath();
    }
    std::string ReadFile() const
    {
        std::ifstream in(Path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void WriteFile(const std::string& text) const
    {
        std::ofstream out(Path(), std::ios::binary);
        out << text;
    }
    std::string Replaced(const std::string& from, const std::string& to) const
    {
        std::string text = kDefaultFile;
        text.replace(text.find(from), from.size(), to);
        return text;
    }

    testsupport::ScopedConfigHome home;
};

} // namespace

TEST_F(PreferencesFile, TheDefaultsAreWrittenByteForByte)
{
    CPreferences preferences;
    preferences.Save();
    EXPECT_EQ(ReadFile(), kDefaultFile);
}

TEST_F(PreferencesFile, ARoundTripKeepsEveryField)
{
    {
        CPreferences preferences;
        preferences.SetPortEnabled(0, true);
        preferences.SetPortEnabled(3, true);
        preferences.SetPortInputName(0, "simsynth out");
        preferences.SetPortOutputName(0, "simsynth in");
        preferences.SetPortInputName(3, " USB MIDI 2 ");
        preferences.SetCableStyle(CPreferences::kStraightThin);
        preferences.SetKnobControl(2);
        preferences.autoUpload = false;
        preferences.maximisedWindows = false;
        preferences.recycleWindows = false;
        preferences.notesFloater = {NSHarrowen::CRect(-20, 5, 300, 400), true};
        preferences.knobFloater = {NSHarrowen::CRect(1, 2, 3, 4), false};
        preferences.keyboardFloater = {NSHarrowen::CRect(10, 20, 30, 40), true};
        preferences.browser = {NSHarrowen::CRect(100, 200, 700, 800), true};
        preferences.SetKeyboardSettings(72, CPreferences::kKeyboardRepeat);
        preferences.Save();
    }
    CPreferences read;
    read.Load();
    EXPECT_TRUE(read.IsPortEnabled(0));
    EXPECT_FALSE(read.IsPortEnabled(1));
    EXPECT_TRUE(read.IsPortEnabled(3));
    EXPECT_EQ(read.GetPortInputName(0), "simsynth out");
    EXPECT_EQ(read.GetPortOutputName(0), "simsynth in");
    EXPECT_EQ(read.GetPortInputName(3), " USB MIDI 2 "); // names are kept whole
    EXPECT_EQ(read.GetCableStyle(), CPreferences::kStraightThin);
    EXPECT_EQ(read.GetKnobControl(), 2u);
    EXPECT_EQ(GetKnobControlMode(), KnobControl::Vertical);
    EXPECT_FALSE(read.autoUpload);
    EXPECT_FALSE(read.maximisedWindows);
    EXPECT_FALSE(read.recycleWindows);
    EXPECT_EQ(read.notesFloater.rect, NSHarrowen::CRect(-20, 5, 300, 400));
    EXPECT_TRUE(read.notesFloater.open);
    EXPECT_EQ(read.knobFloater.rect, NSHarrowen::CRect(1, 2, 3, 4));
    EXPECT_FALSE(read.knobFloater.open);
    EXPECT_EQ(read.keyboardFloater.rect, NSHarrowen::CRect(10, 20, 30, 40));
    EXPECT_EQ(read.browser.rect, NSHarrowen::CRect(100, 200, 700, 800));
    EXPECT_TRUE(read.browser.open);
    uint8_t note = 0;
    uint32_t mode = 0;
    read.GetKeyboardSettings(note, mode);
    EXPECT_EQ(note, 72);
    EXPECT_EQ(mode, CPreferences::kKeyboardRepeat);
}

TEST_F(PreferencesFile, ADeviceNameThatBeginsWithABlankIsReadAndWrittenUnchanged)
{
    const std::string file = Replaced("0 0 0 0 \r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n",
                                      "1 0 0 0 \r\n USB MIDI 2\r\n\r\n\r\n\r\n  USB MIDI 2 out\r\n\r\n\r\n\r\n");
    WriteFile(file);
    CPreferences read;
    read.Load();
    EXPECT_EQ(read.GetPortInputName(0), " USB MIDI 2");
    EXPECT_EQ(read.GetPortOutputName(0), "  USB MIDI 2 out");
    read.Save();
    EXPECT_EQ(ReadFile(), file);
}

TEST_F(PreferencesFile, OtherVersionsAndOutOfRangeValuesFallBack)
{
    struct Case {
        const char* what;
        std::string text;
        uint32_t cableStyle;
        uint32_t knobControl;
        uint8_t note;
        uint32_t mode;
        bool port0;
    };
    const Case cases[] = {
        {"another version, MIDI included", Replaced("Version 11 \r\n[MIDI]\r\n0", "Version 12 \r\n[MIDI]\r\n1"), 1, 1,
         60, 0, false},
        {"cable style 7", Replaced("1 1000 1", "7 1000 1"), 1, 1, 60, 0, false},
        {"knob control 5", Replaced("1 1000 1", "1 1000 5"), 1, 0, 60, 0, false},
        {"note 200 and mode 3", Replaced("60 0 ", "200 3 "), 1, 1, 60, 0, false},
        {"no options section", Replaced("[Options]\r\n1 1000 1 1 1 1 [/Options]\r\n", "").replace(21, 1, "1"), 1, 1, 60,
         0, true},
        {"cut short", kDefaultFile.substr(0, 40), 1, 1, 60, 0, false},
        {"not a preferences file", "\x01\x02garbage", 1, 1, 60, 0, false},
    };
    for (const Case& c : cases) {
        WriteFile(c.text);
        CPreferences read;
        read.SetKnobControl(1);
        read.Load();
        EXPECT_EQ(read.GetCableStyle(), c.cableStyle) << c.what;
        EXPECT_EQ(read.GetKnobControl(), c.knobControl) << c.what;
        uint8_t note = 0;
        uint32_t mode = 9;
        read.GetKeyboardSettings(note, mode);
        EXPECT_EQ(note, c.note) << c.what;
        EXPECT_EQ(mode, c.mode) << c.what;
        EXPECT_EQ(read.IsPortEnabled(0), c.port0) << c.what;
    }
}

TEST_F(PreferencesFile, AFailedSaveKeepsTheOldFile)
{
    CPreferences preferences;
    preferences.Save();
    preferences.SetPortInputName(0, std::string(4000, 'x'));
    // A file size limit makes the write fail midway.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit capped = old;
    capped.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &capped);
    preferences.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(ReadFile(), kDefaultFile);
}

} // namespace editortest
