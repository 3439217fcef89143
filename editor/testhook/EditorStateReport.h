#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CPatchManager;
class CPortManager;

// A test hook: what the running editor shows, for the desktop scenario that
// drives it with real X input. Enabled only when PATCHORA_STATE_REPORT names
// a file. On SIGUSR1 (and once at start) the next idle step writes, one fact
// a line, replacing the file whole: the windows and the controls of its
// dialogs with their places on the screen, the MIDI ports' status, and each
// patch (whether its slot is busy, when the editor takes no edits) with its modules, controls and jacks on the screen and a copy of the
// patch written by the editor's own patch file writer. On SIGUSR2 it first
// repaints the active patch window whole and reports the time it took.
class CEditorStateReport {
public:
    static constexpr const char* kVariable = "PATCHORA_STATE_REPORT";

    // A report when the environment asks for one, else null.
    static std::unique_ptr<CEditorStateReport> FromEnvironment(const CPatchManager* patches, const CPortManager* ports);
    CEditorStateReport(std::string path, const CPatchManager* patches, const CPortManager* ports);
    ~CEditorStateReport();
    CEditorStateReport(const CEditorStateReport&) = delete;
    CEditorStateReport& operator=(const CEditorStateReport&) = delete;

    // Writes the report when one was asked for since the last call.
    void Poll();

private:
    void Write(std::optional<double> repaintMs);

    std::string path_;
    const CPatchManager* patches_;
    const CPortManager* ports_;
    unsigned serial_ = 0;
};
