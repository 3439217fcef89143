#pragma once

#include "framework/windows/DocumentWindow.h"

#include <string>

namespace NSHarrowen {
class CPushButtonView;
class CSingleLineTextEditView;
} // namespace NSHarrowen

namespace demo {

// A document window with a text edit and a button that carries a tooltip:
// what a person types, cuts and pastes, and the tip shown on hovering.
class NotesWindow : public NSHarrowen::CDocumentWindow {
public:
    static constexpr uint32_t kHelpTopic = 4711;

    NotesWindow();

    std::string GetText() const;
    void SetText(const std::string& text);
    void ReceiveNotifications() override;
    uint32_t GetHelpContext() const override { return kHelpTopic; }

private:
    NSHarrowen::CSingleLineTextEditView* edit_;
    NSHarrowen::CPushButtonView* hint_;
};

} // namespace demo
