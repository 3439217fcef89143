#pragma once

#include "platform/menus/NativeMenu.h"

namespace platform {

// A headless presenter for tests: records every pop-up menu shown (its
// captions as they were) and answers with the next queued caption, searched
// depth-first in the menu; an empty answer, or none left, closes the menu.
class CPopupMenuRecorder {
public:
    struct Shown {
        PopupRequest request;
        std::vector<std::string> captions; // of the top level, as shown
    };
    CPopupMenuRecorder();
    ~CPopupMenuRecorder();
    CPopupMenuRecorder(const CPopupMenuRecorder&) = delete;
    CPopupMenuRecorder& operator=(const CPopupMenuRecorder&) = delete;

    void Answer(std::string caption) { answers_.push_back(std::move(caption)); }
    const std::vector<Shown>& ShownMenus() const { return shown_; }

private:
    uint32_t Present(const PopupRequest& request);
    PopupPresenter previous_;
    std::deque<std::string> answers_;
    std::vector<Shown> shown_;
};

} // namespace platform
