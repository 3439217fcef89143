#pragma once

#include "framework/windows/ApplicationToolbar.h"

#include <array>
#include <cstdint>
#include <memory>

class CBitmapCheckButton;
class CLeftRightButton;
class CLoadMeter;
class CMorphContainer;
class CPatch;
class CPnlControl;
class CModuleCatalogue;
class CTBPortRow;
class CTBTabsView;
class CTextCheckButton;
class CTextPushButton;
class CTextView;
class CUpDownButton;

// The editor's toolbar across the top of the main frame: the active patch's
// name, voices, loads, cable colours, portamento and bend, the module tabs,
// the four morph groups, and one row per MIDI port with its slot buttons,
// synthesizer name and flash meter. It keeps no document data: its first
// update pass carries out what the user did with its controls, its second
// refills every display from the active patch and the synthesizers.
class CTBWindow final : public NSHarrowen::CApplicationToolbar {
public:
    class CTBBackView;
    class CFlashMeter;

    static constexpr int16_t kHeight = 66;
    static constexpr uint8_t kPortCount = 4;
    static constexpr uint8_t kNoGroup = 4;
    static constexpr int kCableButtonCount = 7;

    // The module tabs offer the catalogue's types.
    explicit CTBWindow(const CModuleCatalogue& catalogue);
    ~CTBWindow() override;

    // The morph group that module panels assign new morphs to (0 to 3).
    uint8_t GetSelectionByte() const { return selectedGroup_; }
    CPnlControl* GetMorphEntry(uint8_t group) const;

    // A press is a user action: the update passes follow it, so that a
    // click on a text (which does not run them itself) is acted on at once.
    void HandleMouseEvent(const NSHarrowen::CEvent& event) override;
    void RedrawViews() override;
    void ReceiveNotifications() override;
    void UpdateState() override;
    void LayoutRootView() override;
    // As wide as its controls reach (the port rows' meters), as high as it is.
    void GetSizeLimits(NSHarrowen::CPoint& minimum, NSHarrowen::CPoint& maximum) const override;

    // The views, for the program's own checks.
    CTBTabsView& GetTabs() const { return *tabs_; }
    CMorphContainer& GetMorphGroups() const { return *morph_; }
    CBitmapCheckButton& GetCableButton(int colour) const { return *cables_.at(colour); }
    CTextView& GetPortamentoText() const { return *portamentoText_; }
    CTextView& GetBendText() const { return *bendText_; }
    CTextView& GetRequestedVoicesText() const { return *requestedText_; }
    CTextView& GetCurrentVoicesText() const { return *currentText_; }
    CTextView& GetNameText() const { return *nameText_; }
    CTBPortRow& GetPortRow(uint8_t port) const { return *rows_.at(port); }

private:
    void Build(const CModuleCatalogue& catalogue);
    void Layout();
    void AddModuleTabs(const CModuleCatalogue& catalogue);
    void DrawFrame();
    // The first pass's steps.
    void TakeModuleButton();
    void TakeSlotClicks();
    void TakePatchControls(CPatch& patch);
    void DropPatchControls();
    // The second pass's steps.
    void ShowPatch(const CPatch& patch);
    void ShowNoPatch();
    void ShowLoads(const CPatch& patch);

    std::unique_ptr<CTBBackView> back_;
    std::unique_ptr<CTBTabsView> tabs_;
    std::unique_ptr<CMorphContainer> morph_;
    std::array<std::unique_ptr<CBitmapCheckButton>, kCableButtonCount> cables_;
    std::unique_ptr<CTextPushButton> shake_;
    std::unique_ptr<CLeftRightButton> voices_;
    std::unique_ptr<CLoadMeter> sumMeter_;
    std::unique_ptr<CLoadMeter> areaMeter_;
    std::unique_ptr<CUpDownButton> portamento_;
    std::unique_ptr<CTextCheckButton> auto_;
    std::unique_ptr<CTextView> portamentoText_;
    std::unique_ptr<CUpDownButton> bend_;
    std::unique_ptr<CTextView> bendText_;
    std::unique_ptr<CTextView> requestedText_;
    std::unique_ptr<CTextView> currentText_;
    std::unique_ptr<CTextView> nameText_;
    uint8_t selectedGroup_ = 0;
    std::array<std::unique_ptr<CTBPortRow>, kPortCount> rows_;
};

// The toolbar while it exists: the application sets it when it makes the
// toolbar, which clears it as it goes.
CTBWindow* GetToolbarWindow();
void SetToolbarWindow(CTBWindow* toolbar);
