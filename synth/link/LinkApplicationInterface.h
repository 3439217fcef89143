#pragma once

#include <string>

// What the synthesizer link asks of the application it runs in.
class CLinkApplicationInterface {
public:
    virtual ~CLinkApplicationInterface() = default;

    // The application is the one the user works in: contact pings go out
    // only then.
    virtual bool IsActive() const = 0;
    // Shows an alert script and waits until the user closes it.
    virtual void RunAlertText(const std::string& script) = 0;
};
