#include "dialogs/common/HelpButton.h"

#include "editor/app/EditorApp.h"
#include "framework/alerts/AlertBox.h"
#include "framework/application/Help.h"

#include <exception>

void OpenHelpTopic(uint32_t topic)
{
    try {
        NSHarrowen::ShowHelpTopic(topic);
    } catch (const std::exception&) {
        NSHarrowen::RunAlert(CEditorApp::kAlertHelpFile);
    }
}
