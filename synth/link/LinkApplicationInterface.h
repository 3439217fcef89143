#pragma once

#include <string>
#include <vector>

// What the synthesizer link asks of the application it runs in.
class CLinkApplicationInterface {
public:
    virtual ~CLinkApplicationInterface() = default;

    // The application is the one the user works in: contact pings go out
    // only then.
    virtual bool IsActive() const = 0;
    // Shows an alert script and waits until the user closes it. Variable
    // texts come as arguments for "^0", "^1", ..., never inside the script.
    virtual void RunAlert(const std::string& script, const std::vector<std::string>& arguments) = 0;
};
