#pragma once

#include "framework/images/ImageCache.h"
#include "framework/images/ImageSource.h"
#include "panels/ModuleCatalogue.h"
#include "panels/panel/PanelModuleServices.h"
#include "panels/panel/PanelServicesInterface.h"
#include "patch/document/Patch.h"
#include "platform/graphics/PixelBuffer.h"
#include "tests/framework/WindowTestFixture.h"
#include "tests/support/patch/EditorServicesDouble.h"
#include "tests/support/patch/SynthLinkDouble.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CModule;
class CPatchBackground;

namespace paneltest {

// The program's pictures from the linked picture resources, decoded on
// first use: "JPEG" for kind 0, "SMTB" for kind 1, "CBMP" for kind 2.
class CPictureSource final : public NSHarrowen::CImageSource {
public:
    CPictureSource();
    ~CPictureSource() override;
    NSHarrowen::CABCBitmap* GetImage(const NSHarrowen::CImageID& id) override;

private:
    std::map<std::pair<uint32_t, uint32_t>, std::unique_ptr<NSHarrowen::CABCBitmap>> cache_;
};

// The editor's side of the panels, recording what the panels ask.
class CPanelServicesDouble final : public CPanelServicesInterface {
public:
    CPanelServicesDouble() { SetPanelServices(this); }
    ~CPanelServicesDouble() override { SetPanelServices(nullptr); }

    bool AskPanelName(const CPanel&, std::string& name) override;
    void ShowHelpTopic(uint32_t topic) override { helpTopics.push_back(topic); }
    uint8_t GetToolbarMorphGroup() const override { return toolbarGroup; }
    int RunMidiControllerDialog(const CPatch&, uint8_t current, uint8_t& chosen) override;

    std::vector<std::string> nameAnswers; // front first; none left cancels
    int nameQuestions = 0;
    std::vector<uint32_t> helpTopics;
    uint8_t toolbarGroup = 0;
    int controllerResult = kControllerCancel;
    uint8_t controllerChoice = 0;
    uint8_t controllerShown = 0;
};

// A patch document over the real module panels, linked to a recording
// synthesizer, its poly voice area shown in a headless window at the
// window's top left. Gestures go in as mouse and key events.
class PanelTest : public testsupport::WindowTest {
protected:
    static constexpr uint8_t kArea = 1;

    void SetUp() override;
    void TearDown() override;

    // A module of a type at a grid place, as a module dump would bring it.
    CModule& AddModule(uint8_t typeId, uint8_t index, uint8_t column = 0, uint8_t row = 0);
    CModule& Module(uint8_t index);

    // Input at window client points.
    void Press(NSHarrowen::CPoint where);
    void Move(NSHarrowen::CPoint where);
    void Release(NSHarrowen::CPoint where);
    void Click(NSHarrowen::CPoint where);
    void DoubleClick(NSHarrowen::CPoint where);
    void RightClick(NSHarrowen::CPoint where);
    void HoldControl(bool held);
    // Lets time pass on the virtual clock, with the application's idle work
    // (the hovered view, the controls' drags and repeats) every 10 ms.
    void Wait(uint32_t ms);
    // The idle work once.
    void Tick();
    // The update pass and a repaint.
    void Redraw();
    uint32_t PixelAt(NSHarrowen::CPoint where);
    // The window's pixels in a client rectangle as they are now, without a
    // repaint.
    platform::PixelBuffer Capture(const NSHarrowen::CRect& rect);
    NSHarrowen::CPoint ScreenPointer();

    size_t UndoCount() const;
    size_t LiveSends() const;

    std::unique_ptr<CPictureSource> pictures;
    std::unique_ptr<CModuleCatalogue> catalogue;
    std::unique_ptr<CPanelModuleServices> services;
    CPanelServicesDouble panelServices;
    testsupport::CEditorServicesDouble editor;
    testsupport::CSynthLinkDouble synth;
    std::unique_ptr<CPatch> patch;
    NSHarrowen::CDocumentWindow* window = nullptr;
    CPatchBackground* area = nullptr;
};

} // namespace paneltest
