#pragma once

#include "framework/windows/DocumentWindow.h"
#include "patch/document/EditorServicesInterface.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

class CPatch;
class CScrollViewContainer;

// The document window of one patch: the poly voice area above the common
// voice area, each in its scroll container, split by a bar at the patch
// header's split position. It keeps its title and the split in step with
// the patch, answers the patch's File, Edit and Patch commands and its
// keyboard commands, and asks whether unsaved changes are to be saved
// before it closes. The patch owns the areas; the window only shows them.
class CPatchView final : public NSHarrowen::CDocumentWindow, public CPatchWindowInterface {
public:
    static constexpr int16_t kDefaultWidth = 600;
    static constexpr int16_t kDefaultHeight = 650;
    // The smallest content that stays usable: a column of modules beside the
    // scroll bar, and the splitter with a few rows of each area.
    static constexpr int16_t kSmallestWidth = 272;
    static constexpr int16_t kSmallestHeight = 120;
    static constexpr int16_t kSplitterHeight = 11;
    static constexpr uint16_t kNewOrderNumber = 10000;
    static constexpr int16_t kInitialSplit = 400;

    class CSplitterView;
    class CDirectionButton;

    // Opens at the rectangle, else at the framework's default place.
    CPatchView(CPatch& patch, const std::optional<NSHarrowen::CRect>& place);
    ~CPatchView() override;

    CPatch& GetPatch() const { return patch_; }
    uint16_t GetOrderNumber() const { return order_; }
    void SetOrderNumber(uint16_t order) { order_ = order; }
    const std::string& GetShownTitle() const { return title_; }
    CSplitterView& GetSplitter() const { return *splitter_; }
    CScrollViewContainer& GetContainer(int32_t area) const { return area == 1 ? *upper_ : *lower_; }

    // The name prompts: the patch name (sent when it changed), and the
    // shared run of the name box at a screen point; false when the user
    // cancelled or a name box of this window is open already.
    static constexpr uint8_t kNameLength = 16;
    void AskPatchName(NSHarrowen::CPoint position);
    bool RunNameDialog(const std::string& caption, std::string& name, uint8_t maxLength, NSHarrowen::CPoint position);
    bool IsNameDialogOpen() const { return nameDialogOpen_; }
    // The patch settings dialog of this window, run modally.
    void RunPatchSettings();
    // Stores the linked patch's slot into the flash of its synthesizer.
    void RunSaveInSynth();

    // CPatchWindowInterface.
    void BringToFront() override;
    void Close() override;
    void Refresh() override;
    void NotifySplitter() override;
    void RelayoutAreas() override { LayoutRootView(); }

    uint32_t GetHelpContext() const override;
    void HandleMouseEvent(const NSHarrowen::CEvent& event) override;
    void ReceiveNotifications() override;
    void UpdateState() override;
    void UpdateDisplay() override;
    void HandleKeyEvent(const NSHarrowen::CKeyEvent& event) override;
    void DoCommand(const NSHarrowen::CKeyEvent& event) override;
    void UpdateMenus(NSHarrowen::CMenuBar* bar) override;
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    bool CanClose() override;
    void OnActivate() override;
    void OnDeactivate() override;
    void LayoutRootView() override;
    void Idle() override;

private:
    void LayOutWaitingWindows();

    // The port of the linked patch's synthesizer, none without one.
    std::optional<uint8_t> SaveInSynthPort() const;
    // Input that comes while the slot's patch is on its way from the
    // synthesizer (or behind input held so) is kept and handled in order once
    // it is whole: a press or a key always counts. Edits while the link waits
    // for other answers are taken at once and go out when it is free. False
    // when the input is to be handled now.
    bool HoldWhileLoading(std::function<void()> input);
    void HandleHeldInput();
    void DoPatchCommand(NSHarrowen::CMenu* menu, uint32_t command);

    CPatch& patch_;
    // Children of the root view, which owns them.
    CScrollViewContainer* lower_;
    CScrollViewContainer* upper_;
    bool active_ = false;
    // A layout skipped while a maximised window hid this one: done when it
    // comes to the front.
    bool layoutWaits_ = false;
    int16_t split_ = kInitialSplit;
    CSplitterView* splitter_;
    std::string title_;
    uint16_t order_ = kNewOrderNumber;
    bool nameDialogOpen_ = false;
    bool settingsDialogOpen_ = false;
    std::deque<std::function<void()>> held_;
};
