#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Where the framework's own alerts go until a program has alert boxes: a
// replaceable presenter that gets the alert id and the texts for ^0, ^1, ...
namespace NSHarrowen {

using AlertPresenter = std::function<int(uint32_t alertId, const std::vector<std::string>& args)>;

// Returns the presenter it replaces. Without one an alert is an alert box
// while the program's frame is up, else a plain message box of the desktop.
AlertPresenter SetAlertPresenter(AlertPresenter presenter);
// Returns the place of the pressed button's label in the alert's script,
// from 1 ("[OK][Cancel]": 1 is OK), or 0 when the alert was closed otherwise.
int ShowFrameworkAlert(uint32_t alertId, const std::vector<std::string>& args = {});

// The alert script of an id with its placeholders filled in.
std::string FormatAlertText(uint32_t alertId, const std::vector<std::string>& args);

// Records the alerts shown while it lives (tests).
class CAlertRecorder {
public:
    struct Shown {
        uint32_t id;
        std::vector<std::string> args;
        std::string text; // the script with the placeholders filled in
    };
    CAlertRecorder();
    ~CAlertRecorder();
    CAlertRecorder(const CAlertRecorder&) = delete;
    CAlertRecorder& operator=(const CAlertRecorder&) = delete;
    const std::vector<Shown>& Alerts() const { return shown_; }

private:
    AlertPresenter previous_;
    std::vector<Shown> shown_;
};

} // namespace NSHarrowen
