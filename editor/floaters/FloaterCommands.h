#pragma once

#include <cstdint>

// The Tools menu's floaters (knob, keyboard and notes floater) as the
// application drives them: each command opens its floater or asks the open
// one to close, its check mark tells whether it is open, the floaters open
// at the last quit come back at start, and they go (recording their places)
// before the preferences are saved at exit.
class CFloaterCommands {
public:
    // True for a floater's command (the command is then handled).
    static bool Handles(uint32_t command);
    // Opens the floater or asks it to close. Failures reach the caller.
    static void Toggle(uint32_t command);
    static bool IsOpen(uint32_t command);
    // The preferences' open flags: read at start, written at quit.
    static void ReopenFromPreferences();
    static void RecordOpenFlags();
    // Destroys every open floater.
    static void CloseAll();
};
