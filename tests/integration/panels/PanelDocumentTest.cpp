// Patch documents with the real module panels of every type: a patch that
// holds each type once is loaded from a simulated synthesizer through the
// real link and shown in a window, edited with the mouse and undone, saved
// to a file and opened again, and its modules copied and pasted.
#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "panels/graphs/PnlNoteSeqGraph.h"
#include "panels/items/PnlControl.h"
#include "panels/panel/LayoutModule.h"
#include "panels/panel/Module.h"
#include "panels/panel/PanelModuleServices.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleClip.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "patch/edit/UndoHistory.h"
#include "synth/link/Synth.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "tests/panels/PanelTestFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/patch/SlotDocumentList.h"
#include "tests/synth/LinkRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

constexpr uint8_t kPoly = 1;
constexpr uint8_t kOscA = 7;
constexpr uint8_t kOscAMute = 9;
constexpr uint8_t kNoteSeqB = 90;
constexpr int kRowsPerColumn = 120;

// A value other than the default for every parameter, inside its range.
int Edited(const CBuildModule& builder, uint8_t param)
{
    const int max = builder.GetParamMax(param);
    return max == 0 ? 0 : (builder.GetDefault(param) + 1 + param) % (max + 1);
}

// Each type once in the poly area, stacked in columns: the two the tests
// click first, at the top of the window, then the others by type number;
// the first output of each module cabled to the first input of the next.
sim::SimPatch EveryTypeOnce(const CModuleCatalogue& catalogue)
{
    std::vector<uint8_t> types = {kOscA, kNoteSeqB};
    for (unsigned type = 1; type < CModuleCatalogue::kTypeSlots; ++type) {
        if (catalogue.FindBuilder(static_cast<uint8_t>(type)) != nullptr && type != kOscA && type != kNoteSeqB) {
            types.push_back(static_cast<uint8_t>(type));
        }
    }
    sim::SimPatch patch;
    patch.name = "Every Type";
    sim::SimArea& poly = patch.areas[kPoly];
    int index = 0;
    int column = 0;
    int row = 0;
    for (const uint8_t type : types) {
        const CBuildModule* builder = &catalogue.GetBuilder(type);
        if (row + builder->GetHeight() > kRowsPerColumn) {
            ++column;
            row = 0;
        }
        sim::SimModule module{static_cast<int>(type), column, row, "T" + std::to_string(type), {}, {}};
        for (uint8_t param = 0; param < builder->GetParamCount(); ++param) {
            module.params.push_back(Edited(*builder, param));
        }
        // Custom values the items take as they are: zoom and scroll of the
        // note sequencer, a partial number elsewhere.
        module.custom.assign(builder->GetLoadRecord().CustomValueCount(), 1);
        if (module.custom.size() == 2) {
            module.custom = {2, 3};
        }
        row += builder->GetHeight();
        poly.modules[++index] = module;
    }
    int previous = 0;
    for (const auto& [at, module] : poly.modules) {
        const CBuildModule& builder = catalogue.GetBuilder(static_cast<uint8_t>(module.type));
        if (previous != 0 && builder.GetJackCount(JackDirection::Input) > 0 && poly.cables.size() < 60) {
            poly.cables.push_back({at % 7, {previous, 0, true}, {at, 0, false}});
        }
        previous = builder.GetJackCount(JackDirection::Output) > 0 ? at : 0;
    }
    return patch;
}

class PanelDocumentTest : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        InstallSharedModuleTypeInfo();
        pictures = std::make_unique<paneltest::CPictureSource>();
        catalogue = MakeModuleCatalogue();
        services = std::make_unique<CPanelModuleServices>(*catalogue);
        documents.manager = &rig->Manager();
        expected = EveryTypeOnce(*catalogue);
        rig->Synth().LoadSlot(0, expected);
        rig->OpenPort(0, 0);
    }

    void TearDown() override
    {
        documents.documents.clear();
        rig.reset();
        services.reset();
        catalogue.reset();
        pictures.reset();
        WindowTest::TearDown();
    }

    // The slot's document once every part has come; null when it does not.
    CPatch* Loaded()
    {
        const bool loaded = rig->StepUntil(
            [&] {
                const CPatch* document = documents.Find(0);
                return document != nullptr && !document->HasChanges() && !rig->SynthObject().IsSlotBusy(0);
            },
            1000);
        return loaded ? documents.Find(0) : nullptr;
    }

    // The poly area in a window, drawn; its view starts at the window's
    // origin. The window has it on loan: it leaves when its document goes.
    void Show(CPatch& document)
    {
        if (window == nullptr) {
            window = OpenDocument(800, 560);
        }
        CPatchBackground* area = document.GetArea(kPoly);
        window->GetRootView()->AddChild(area);
        area->SetFrame(NSHarrowen::CRect(0, 0, 800, 560));
        NSHarrowen::UpdateAllWindows();
        Pump();
    }

    // The index of the module of a type in the patch.
    uint8_t IndexOf(uint8_t type) const
    {
        for (const auto& [index, module] : expected.areas[kPoly].modules) {
            if (module.type == type) {
                return static_cast<uint8_t>(index);
            }
        }
        ADD_FAILURE() << "no module of type " << int(type);
        return 0;
    }

    void ClickInside(const NSHarrowen::CRect& frame)
    {
        Click(window, (frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
    }

    // Every module of the area is the real panel of its type and holds what
    // the patch holds: place, name, values, custom values; and the cables.
    void ExpectPatch(const CPatch& document, const sim::SimArea& wanted)
    {
        const CPatchBackground& area = *document.GetArea(kPoly);
        ASSERT_EQ(area.GetModules().GetCount(), wanted.modules.size());
        for (const auto& [index, module] : wanted.modules) {
            const CModuleInterface* mine = area.FindModule(static_cast<uint8_t>(index));
            ASSERT_NE(mine, nullptr) << "module " << index;
            const auto* panel = dynamic_cast<const CModule*>(mine);
            ASSERT_NE(panel, nullptr) << "module " << index << " is no panel";
            SCOPED_TRACE(panel->GetBuilder().GetShortName());
            EXPECT_EQ(mine->GetTypeId(), module.type);
            EXPECT_EQ(mine->GetColumn(), module.column);
            EXPECT_EQ(mine->GetRow(), module.row);
            EXPECT_EQ(mine->GetName(), module.name);
            ASSERT_EQ(panel->GetControlCount(), module.params.size());
            for (uint8_t param = 0; param < panel->GetControlCount(); ++param) {
                EXPECT_EQ(panel->GetControl(param)->GetValue(), module.params[param]) << "parameter " << int(param);
            }
            EXPECT_EQ(mine->GetCustomData(), module.custom);
        }
        EXPECT_EQ(area.GetStore().GetCables().size(), wanted.cables.size());
    }

    std::unique_ptr<paneltest::CPictureSource> pictures;
    std::unique_ptr<CModuleCatalogue> catalogue;
    std::unique_ptr<CPanelModuleServices> services;
    paneltest::CPanelServicesDouble panelServices;
    testsupport::CSlotDocumentList documents;
    std::unique_ptr<linkrig::CLinkRig> rig =
        std::make_unique<linkrig::CLinkRig>(std::vector<sim::SimConfig>{sim::SimConfig{}}, &documents);
    sim::SimPatch expected;
    NSHarrowen::CDocumentWindow* window = nullptr;
};

TEST_F(PanelDocumentTest, APatchOfEveryTypeLoadsFromTheSynthesizerIntoRealPanels)
{
    ASSERT_EQ(expected.areas[kPoly].modules.size(), 109u);
    CPatch* loaded = Loaded();
    ASSERT_NE(loaded, nullptr);
    CPatch& document = *loaded;
    ExpectPatch(document, expected.areas[kPoly]);
    Show(document);
    EXPECT_FALSE(document.IsDirty());
}

TEST_F(PanelDocumentTest, AClickOnAPanelReachesTheSynthesizerAndUndoTakesItBack)
{
    CPatch* loaded = Loaded();
    ASSERT_NE(loaded, nullptr);
    CPatch& document = *loaded;
    Show(document);
    const uint8_t index = IndexOf(kOscA);
    const auto& panel = dynamic_cast<const CModule&>(*document.GetArea(kPoly)->FindModule(index));
    const uint8_t before = panel.GetValue(kOscAMute);
    const sim::SimParamRef mute{kPoly, index, kOscAMute};
    ASSERT_EQ(rig->Synth().Slot(0).patch.ParamValue(mute), before);

    ClickInside(panel.GetControl(kOscAMute)->GetFrame());
    const uint8_t after = panel.GetValue(kOscAMute);
    EXPECT_NE(after, before);
    EXPECT_TRUE(rig->StepUntil([&] { return rig->Synth().Slot(0).patch.ParamValue(mute) == after; }, 40));
    ASSERT_TRUE(document.CanUndo());

    document.Undo();
    EXPECT_EQ(panel.GetValue(kOscAMute), before);
    EXPECT_TRUE(rig->StepUntil([&] { return rig->Synth().Slot(0).patch.ParamValue(mute) == before; }, 40));
    document.Redo();
    EXPECT_TRUE(rig->StepUntil([&] { return rig->Synth().Slot(0).patch.ParamValue(mute) == after; }, 40));
}

TEST_F(PanelDocumentTest, AClickOnTheNoteStripSendsItsNewViewAndUndoSendsTheOldOne)
{
    CPatch* loaded = Loaded();
    ASSERT_NE(loaded, nullptr);
    CPatch& document = *loaded;
    Show(document);
    const uint8_t index = IndexOf(kNoteSeqB);
    const auto& panel = dynamic_cast<const CLayoutModule&>(*document.GetArea(kPoly)->FindModule(index));
    const CPanelItem* strip = nullptr;
    for (const auto& item : panel.GetItems()) {
        strip = dynamic_cast<const CPnlNoteSeqGraph*>(item.get()) != nullptr ? item.get() : strip;
    }
    ASSERT_NE(strip, nullptr);
    const std::vector<uint8_t> before = panel.GetCustomData();
    const auto synthView = [&] { return rig->Synth().Slot(0).patch.areas[kPoly].modules.at(index).custom; };
    ASSERT_EQ(synthView(), before);

    ClickInside(strip->GetFrame()); // zooms in
    const std::vector<uint8_t> after = panel.GetCustomData();
    EXPECT_NE(after, before);
    EXPECT_TRUE(rig->StepUntil([&] { return synthView() == after; }, 40));

    document.Undo();
    EXPECT_EQ(panel.GetCustomData(), before);
    EXPECT_TRUE(rig->StepUntil([&] { return synthView() == before; }, 40));
}

TEST_F(PanelDocumentTest, APatchOfEveryTypeSavedToAFileOpensIntoTheSamePanels)
{
    CPatch* loaded = Loaded();
    ASSERT_NE(loaded, nullptr);
    CPatch& document = *loaded;
    testsupport::TempDir folder;
    const std::filesystem::path path = folder.Path() / "Every Type.pch";
    ASSERT_TRUE(document.SaveToFile(NSHarrowen::CFileSpec(path.string())));
    ASSERT_TRUE(std::filesystem::exists(path));

    CPatch opened;
    opened.Open(NSHarrowen::CFileSpec(path.string()));
    ExpectPatch(opened, expected.areas[kPoly]);
    Show(opened);
}

TEST_F(PanelDocumentTest, ModulesOfEveryTypeCopiedIntoAnotherPatchKeepTheirValuesAndUndo)
{
    CPatch* loaded = Loaded();
    ASSERT_NE(loaded, nullptr);
    CPatch& source = *loaded;
    for (const auto& [index, module] : expected.areas[kPoly].modules) {
        source.SelectModule(*source.GetArea(kPoly)->FindModule(static_cast<uint8_t>(index)));
    }
    const std::unique_ptr<CModuleClip> clip =
        CModuleClip::FromSelection(source.GetSelection(), source.GetArea(kPoly)->GetStore());
    ASSERT_FALSE(clip->IsEmpty());

    CPatch target;
    Show(target);
    const CCableTree& area = target.GetArea(kPoly)->GetStore();
    clip->FitTo(area, target.GetLoadTable().GetFreeMemory());
    std::unique_ptr<CEditPair> paste = clip->MakeDropEdit(area, NSHarrowen::CPoint(0, 0));
    ASSERT_NE(paste, nullptr);
    target.ExecuteEdit(std::move(paste));

    // Each pasted module equals its original.
    const CModuleList& pasted = target.GetArea(kPoly)->GetModules();
    // Every type but the poly area's input, which only the common area takes;
    // it is the last module and no cable reaches it.
    ASSERT_EQ(pasted.GetCount(), expected.areas[kPoly].modules.size() - 1);
    EXPECT_EQ(target.GetArea(kPoly)->GetStore().GetCables().size(), expected.areas[kPoly].cables.size());
    for (const auto& copy : pasted) {
        const auto it = std::find_if(expected.areas[kPoly].modules.begin(), expected.areas[kPoly].modules.end(),
                                     [&](const auto& entry) { return entry.second.type == copy->GetTypeId(); });
        ASSERT_NE(it, expected.areas[kPoly].modules.end());
        const sim::SimModule& original = it->second;
        SCOPED_TRACE(original.name);
        ASSERT_NE(dynamic_cast<const CModule*>(copy), nullptr);
        for (uint8_t param = 0; param < copy->GetParamCount(); ++param) {
            EXPECT_EQ(copy->GetParamValue(param), original.params[param]) << "parameter " << int(param);
        }
        EXPECT_EQ(copy->GetCustomData(), original.custom);
    }
    NSHarrowen::UpdateAllWindows();
    Pump();

    target.Undo();
    EXPECT_EQ(target.GetArea(kPoly)->GetModules().GetCount(), 0u);
    target.Redo();
    EXPECT_EQ(target.GetArea(kPoly)->GetModules().GetCount(), pasted.GetCount());
}

} // namespace
