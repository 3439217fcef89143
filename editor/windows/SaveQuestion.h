#pragma once

#include <cstdint>
#include <string>

// The answers of the save question.
enum ESaveAnswer : int32_t {
    kSaveYes = 0,
    kSaveNo = 1,
    kSaveNoAll = 2,
    kSaveCancel = 3,
    // Another save question is open; none was shown.
    kSaveAlreadyAsking = 4,
};

// Asks whether the changes of a patch are to be saved, with a "No all"
// answer when `allowNoAll`. Only the buttons answer Yes, No or No all: the
// box closed by its frame, and any failure to build or run it, answer
// Cancel, so nothing is saved or dropped without the user's word.
ESaveAnswer AskSaveChanges(const std::string& patchName, bool allowNoAll);
