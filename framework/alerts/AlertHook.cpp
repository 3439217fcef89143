#include "framework/alerts/AlertHook.h"

#include <algorithm>

#include "framework/alerts/AlertBox.h"
#include "framework/alerts/AlertScript.h"
#include "framework/application/Application.h"
#include "framework/resources/ResourceText.h"
#include "platform/host/SystemMetrics.h"
#include "platform/system/ConfigStore.h"

namespace NSHarrowen {

namespace {

AlertPresenter& Presenter()
{
    static AlertPresenter presenter;
    return presenter;
}

// "[STOP]text[OK]": the text between the icon tag and the first button, shown
// as a message box with the program's name; the index of the button pressed.
int PlainAlert(const std::string& script)
{
    std::string text = script;
    if (!text.empty() && text.front() == '[')
        text.erase(0, text.find(']') + 1);
    if (const size_t button = text.find('['); button != std::string::npos)
        text.resize(button);
    return std::max(0, platform::ShowMessageBox(platform::ApplicationName(), text));
}

} // namespace

AlertPresenter SetAlertPresenter(AlertPresenter presenter)
{
    AlertPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

std::string FormatAlertText(uint32_t alertId, const std::vector<std::string>& args)
{
    const std::string script = GetResourceAlert(alertId);
    std::string text;
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] == '^' && i + 1 < script.size() && script[i + 1] >= '0' && script[i + 1] <= '9') {
            const size_t n = static_cast<size_t>(script[++i] - '0');
            if (n < args.size())
                text += args[n];
            continue;
        }
        text += script[i];
    }
    return text;
}

int ShowFrameworkAlert(uint32_t alertId, const std::vector<std::string>& args)
{
    const AlertPresenter presenter = Presenter();
    if (presenter)
        return presenter(alertId, args);
    // With the program's frame up, a real alert box (its arguments made safe).
    if (const CApplication* app = GetApplication(); app && app->GetFrameHandle()) {
        const std::string script = GetResourceAlert(alertId);
        const int result = RunAlertTextWithArgs(script, args);
        if (result < kAlertButton1 || result > kAlertButton3)
            return 0;
        // The box numbers its buttons from the script's last label: turned
        // back, so that 1 is the first label ("[OK][Cancel]": OK) whatever
        // the box, as with every presenter.
        std::vector<std::string> shown;
        for (const std::string& arg : args)
            shown.push_back(SanitizeAlertArgument(arg));
        return ParseAlertText(script, shown).ShownButtons() - (result - kAlertButton1);
    }
    return PlainAlert(FormatAlertText(alertId, args)) + 1;
}

CAlertRecorder::CAlertRecorder()
    : previous_(SetAlertPresenter([this](uint32_t id, const std::vector<std::string>& args) {
          shown_.push_back({id, args, FormatAlertText(id, args)});
          return 1;
      }))
{ }

CAlertRecorder::~CAlertRecorder()
{
    SetAlertPresenter(std::move(previous_));
}

} // namespace NSHarrowen
