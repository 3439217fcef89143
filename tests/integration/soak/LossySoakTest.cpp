// The editor against the simulated synthesizer on a bad cable: 2 % of the
// messages lost and 1 % spoilt, both ways, from a fixed seed, on the
// in-process MIDI and the virtual clock. Thousands of edits of every kind
// go in as a person makes them (knob drags, keys, module drags, menu
// commands, name boxes), with a slot load and a bank of ten patches stored
// into the flash on the way. The link must never fail, every gesture must
// leave the synthesizer holding the value it ended on, and at the end the
// synthesizer's patch must be the editor's.

#include "tests/editor/PatchWindowFixture.h"
#include "tests/editor/SynthEditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "panels/items/DragState.h"
#include "panels/items/PnlKnobSliderABC.h"
#include "panels/menu/KnobAssignmentMenu.h"
#include "panels/panel/Module.h"
#include "simulator/SimPatchFile.h"
#include "synth/flash/BankTransfer.h"
#include "synth/protocol/FlashMemory.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <iostream>
#include <random>
#include <sstream>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

constexpr uint8_t kPoly = 1;

class LossySoakTest : public PatchWindowDriver<SynthEditorTest> {
protected:
    sim::SimConfig SynthConfig() const override
    {
        sim::SimConfig config;
        config.lossy = sim::SimLossRates{0.02, 0.01, 20261211};
        return config;
    }

    void SetUp() override
    {
        SetKnobControlMode(KnobControl::Vertical);
        SynthEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(Settle());
        slot_ = Ports().GetCurrentSlot();
    }
    void TearDown() override
    {
        SynthEditorTest::TearDown();
        SetKnobControlMode(KnobControl::Circular);
    }

    void Tick(uint64_t ms) override
    {
        for (uint64_t passed = 0; passed < ms; passed += 10)
            SynthStep();
    }

    // Shows the slot's patch in its window (Ctrl+U) and works on it.
    void ShowSlot()
    {
        PressCtrl('U');
        ASSERT_TRUE(Settle());
        Step(100);
        CPatch* shown = List().FindPatchInSlot(0, slot_);
        ASSERT_TRUE(shown && shown->HasWindow());
        UseWindowOf(*shown);
        view->LayoutRootView();
        ASSERT_TRUE(Settle());
    }

    // The link is up and the window's patch is still the slot's.
    void ExpectLinked(const std::string& after)
    {
        ASSERT_TRUE(Ports().HasSynth(0)) << "the link failed after " << after << ": " << Alerts();
        ASSERT_EQ(List().FindPatchInSlot(0, slot_), patch) << "after " << after;
        ASSERT_TRUE(alerts.empty()) << "after " << after << ": " << Alerts();
    }
    std::string Alerts() const
    {
        std::string all;
        for (const std::string& alert : alerts)
            all += "[" + alert + "] ";
        return all;
    }
    void Settled(const std::string& after)
    {
        ASSERT_TRUE(Settle()) << "not settled after " << after << " (edit " << edits_ << "): " << LinkState();
        ExpectLinked(after);
    }
    // What the port and the synthesizer were doing, for a failure's message.
    std::string LinkState()
    {
        std::ostringstream text;
        const CSynthPort* port = Ports().GetPort(0);
        text << (port ? port->GetStatusText() : "no port") << (port && port->IsAwaitingAnswer() ? ", awaiting" : "");
        if (const CSynth* synth = Ports().GetSynth(0))
            text << (synth->IsSlotBusy(slot_) ? ", slot busy" : "") << (synth->HasSettings() ? "" : ", no settings");
        const auto& log = synth_->Log();
        for (size_t i = log.size() > 8 ? log.size() - 8 : 0; i < log.size(); ++i)
            text << "\n  " << log[i].timeUs / 1000 << " ms: " << log[i].text;
        return text.str();
    }

    const sim::SimPatch& Held() { return synth_->Slot(slot_).patch; }

    std::vector<CModuleInterface*> Modules()
    {
        return {Area(kPoly).GetModules().begin(), Area(kPoly).GetModules().end()};
    }
    CModuleInterface* Pick(std::mt19937& random)
    {
        const std::vector<CModuleInterface*> modules = Modules();
        if (modules.empty())
            return nullptr;
        return modules[std::uniform_int_distribution<size_t>(0, modules.size() - 1)(random)];
    }
    CModuleInterface* PickOfType(std::mt19937& random, uint8_t type)
    {
        std::vector<CModuleInterface*> modules;
        for (CModuleInterface* module : Modules())
            if (module->GetTypeId() == type)
                modules.push_back(module);
        if (modules.empty())
            return nullptr;
        return modules[std::uniform_int_distribution<size_t>(0, modules.size() - 1)(random)];
    }

    // The first knob of a module's panel, with its parameter.
    static CPnlKnobSliderABC* KnobOf(CModuleInterface& module, uint8_t& param)
    {
        auto* panel = dynamic_cast<CModule*>(&module);
        if (!panel)
            return nullptr;
        for (param = 0; param < panel->GetControlCount(); ++param)
            if (auto* knob = dynamic_cast<CPnlKnobSliderABC*>(panel->GetControl(param)))
                return knob;
        return nullptr;
    }

    // A knob dragged up or down in steps, as a hand turns it: each step goes
    // out live, unanswered; what the knob ends on must reach the synthesizer.
    bool TurnKnob(std::mt19937& random)
    {
        CModuleInterface* module = Pick(random);
        uint8_t param = 0;
        CPnlKnobSliderABC* knob = module ? KnobOf(*module, param) : nullptr;
        if (!knob)
            return false;
        const CRect frame = knob->GetFrame();
        const CPoint from((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
        const int direction = random() % 2 ? 1 : -1;
        const int steps = 2 + static_cast<int>(random() % 6);
        Tick(600); // no double click with an earlier press
        Press(from);
        for (int i = 1; i <= steps; ++i)
            MoveTo(CPoint(from.x, static_cast<int16_t>(from.y + direction * 3 * i)));
        Release(CPoint(from.x, static_cast<int16_t>(from.y + direction * 3 * steps)));
        ++gestures_;
        Settled("a knob turn");
        const sim::SimModule* held = FindHeld(module->GetModuleIndex());
        EXPECT_TRUE(held && param < held->params.size() && held->params[param] == module->GetParamValue(param))
            << "the synthesizer does not hold the value the knob ended on (module " << int(module->GetModuleIndex())
            << ", parameter " << int(param) << ", shown " << int(module->GetParamValue(param)) << ", held "
            << (held && param < held->params.size() ? held->params[param] : -1) << ")";
        return true;
    }

    const sim::SimModule* FindHeld(int index)
    {
        const auto& modules = Held().areas[kPoly].modules;
        const auto it = modules.find(index);
        return it == modules.end() ? nullptr : &it->second;
    }

    bool PlaceModule(std::mt19937& random)
    {
        if (Modules().size() >= 24)
            return false;
        const uint8_t type = random() % 2 ? kConstant : kSmooth;
        const int column = static_cast<int>(random() % 4);
        const int row = static_cast<int>(random() % 8);
        Place(type, kPoly, CPoint(static_cast<int16_t>(20 + 256 * column), static_cast<int16_t>(15 + 64 * row)));
        Settled("placing a module");
        return true;
    }

    bool DeleteModule(std::mt19937& random)
    {
        if (Modules().size() <= 6)
            return false;
        CModuleInterface* module = Pick(random);
        patch->ClearSelection();
        Press(OnPanel(*module));
        Release(OnPanel(*module));
        Key(platform::kVKDelete);
        Settled("deleting a module");
        return true;
    }

    bool MoveModule(std::mt19937& random)
    {
        CModuleInterface* module = Pick(random);
        if (!module)
            return false;
        patch->ClearSelection();
        Tick(600);
        const CPoint from = OnPanel(*module);
        const CPoint to(from.x, static_cast<int16_t>(from.y + (random() % 2 ? 64 : -64)));
        Press(from);
        DragTo(from, to);
        Release(to);
        Settled("moving a module");
        return true;
    }

    bool Connect(std::mt19937& random)
    {
        CModuleInterface* source = PickOfType(random, kConstant);
        CModuleInterface* destination = PickOfType(random, kSmooth);
        if (!source || !destination)
            return false;
        const JackAddress in{destination->GetModuleIndex(), 0, 0};
        if (random() % 3 == 0) {
            patch->DisconnectConnector(kPoly, in);
        } else if (!patch->ConnectCable(kPoly, JackAddress{source->GetModuleIndex(), 0, 1}, in)) {
            return false;
        }
        Settled("a cable");
        return true;
    }

    bool Rename(std::mt19937& random)
    {
        auto* module = dynamic_cast<CModule*>(Pick(random));
        if (!module)
            return false;
        const std::string name = "Soak" + std::to_string(random() % 1000);
        AnswerNameBox(std::u32string(name.begin(), name.end()), platform::kVKReturn);
        module->Rename();
        Settled("a rename");
        return true;
    }

    // The knob parameter of a module picked at random, if it has one.
    std::optional<ParamAddress> PickKnob(std::mt19937& random)
    {
        CModuleInterface* module = Pick(random);
        uint8_t param = 0;
        if (!module || !KnobOf(*module, param))
            return std::nullopt;
        return ParamAddress{kPoly, module->GetModuleIndex(), param};
    }

    bool Assign(std::mt19937& random)
    {
        const std::optional<ParamAddress> knob = PickKnob(random);
        if (!knob)
            return false;
        CKnobAssignmentMenu menu(*patch, *knob);
        menu.Execute(CKnobAssignmentMenu::kFirstKnob + random() % 18);
        Settled("a knob assignment");
        return true;
    }

    bool ValueKey(std::mt19937& random)
    {
        const std::optional<ParamAddress> knob = PickKnob(random);
        if (!knob)
            return false;
        patch->SetParamFocus(*knob);
        Key(random() % 2 ? platform::kVKEquals : platform::kVKMinus);
        Settled("a value key");
        return true;
    }

    bool UndoOrRedo(std::mt19937& random)
    {
        UpdateMenus();
        const uint32_t command = random() % 3 == 0 ? kRedo : kUndo;
        if (!IsEnabled(command))
            return false;
        Choose(command);
        Settled(command == kUndo ? "an undo" : "a redo");
        return true;
    }

    // The editor's patch as its own file writer puts it, read as the
    // synthesizer reads patch files.
    sim::SimPatch Written()
    {
        const std::filesystem::path file = folder.Path() / "written.pch";
        EXPECT_TRUE(patch->SaveToFile(CFileSpec(file.string())));
        return sim::ReadPatchFile(file);
    }

    // The poly area, the knobs and the controllers; cables in any order.
    static std::string Describe(const sim::SimPatch& p)
    {
        std::ostringstream text;
        for (const auto& [index, module] : p.areas[kPoly].modules) {
            text << index << ": type " << module.type << " at " << module.column << "," << module.row << " \""
                 << module.name << "\" values";
            for (const int value : module.params)
                text << ' ' << value;
            text << '\n';
        }
        std::vector<std::string> cables;
        for (const sim::SimCable& c : p.areas[kPoly].cables) {
            std::ostringstream cable;
            const int a = c.a.module * 128 + c.a.jack * 2 + c.a.output;
            const int b = c.b.module * 128 + c.b.jack * 2 + c.b.output;
            cable << "cable " << std::min(a, b) << "-" << std::max(a, b) << " colour " << c.colour;
            cables.push_back(cable.str());
        }
        std::sort(cables.begin(), cables.end());
        for (const std::string& cable : cables)
            text << cable << '\n';
        for (size_t knob = 0; knob < p.knobs.size(); ++knob)
            if (p.knobs[knob].assigned)
                text << "knob " << knob << ": " << p.knobs[knob].ref.area << "/" << p.knobs[knob].ref.module << "/"
                     << p.knobs[knob].ref.param << '\n';
        return text.str();
    }

    uint8_t slot_ = 0;
    int gestures_ = 0;
    int edits_ = 0;
};

TEST_F(LossySoakTest, TwoThousandEditsOnABadCableLeaveTheSynthesizerHoldingTheEditorsPatch)
{
    // A patch of the flash loaded into the slot first.
    sim::SimPatch stored;
    stored.name = "Soak Start";
    synth_->Flash().Store(0, 7, stored);
    Ports().GetSynth(0)->GetFlashMemory().LoadToSlot(slot_, CFlashAddress{0, 7});
    ASSERT_TRUE(Settle());
    ASSERT_NO_FATAL_FAILURE(ShowSlot());
    EXPECT_EQ(patch->GetName(), "Soak Start");
    ASSERT_NO_FATAL_FAILURE(ExpectLinked("the slot load"));
    std::mt19937 random(53);
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(PlaceModule(random));

    using Edit = std::function<bool(std::mt19937&)>;
    const std::vector<std::pair<const char*, Edit>> kinds = {
        {"knob", [this](std::mt19937& r) { return TurnKnob(r); }},
        {"knob", [this](std::mt19937& r) { return TurnKnob(r); }},
        {"key", [this](std::mt19937& r) { return ValueKey(r); }},
        {"module", [this](std::mt19937& r) { return PlaceModule(r); }},
        {"delete", [this](std::mt19937& r) { return DeleteModule(r); }},
        {"move", [this](std::mt19937& r) { return MoveModule(r); }},
        {"cable", [this](std::mt19937& r) { return Connect(r); }},
        {"cable", [this](std::mt19937& r) { return Connect(r); }},
        {"name", [this](std::mt19937& r) { return Rename(r); }},
        {"assign", [this](std::mt19937& r) { return Assign(r); }},
        {"undo", [this](std::mt19937& r) { return UndoOrRedo(r); }},
    };
    std::map<std::string, int> made;
    int& edits = edits_;
    while (edits < 2000 && !HasFailure()) {
        const auto& [kind, edit] = kinds[random() % kinds.size()];
        if (edit(random)) {
            ++made[kind];
            ++edits;
        }
    }
    ASSERT_FALSE(HasFailure());

    // Ten patches into a bank of the flash, from a folder of patch files.
    const std::filesystem::path bank = folder.Path() / "bank";
    std::filesystem::create_directories(bank);
    for (int i = 1; i <= 10; ++i) {
        sim::SimPatch p;
        p.name = "Soak " + std::to_string(i);
        sim::WritePatchFile(bank / (std::string(i < 10 ? "0" : "") + std::to_string(i) + " Soak.pch"), p);
    }
    CBankTransfer& transfer = Ports().GetSynth(0)->GetBankTransfer();
    ASSERT_TRUE(transfer.DownloadFromFolder(CDirSpec(bank.string()), 2, nullptr));
    ASSERT_TRUE(StepUntil([&] { return !transfer.IsRunning(); }, 30000));
    EXPECT_EQ(transfer.GetResult(), CBankTransfer::kResultFinished);
    std::vector<std::string> names;
    for (int location = 0; location < sim::kLocations; ++location)
        if (const sim::SimPatch* p = synth_->Flash().At(2, location))
            names.push_back(p->name);
    EXPECT_EQ(names.size(), 10u);
    ASSERT_NO_FATAL_FAILURE(Settled("the bank transfer"));

    const sim::SimPatch written = Written();
    EXPECT_EQ(Describe(Held()), Describe(written));

    unsigned repeats = 0;
    for (const sim::SimLogEntry& e : synth_->Log())
        repeats += e.text == "repeated frame: answered again";
    const sim::CSimCable& cable = synth_->Cable();
    std::cout << "soak: " << edits << " edits (";
    for (const auto& [kind, count] : made)
        std::cout << kind << " " << count << " ";
    std::cout << "), " << gestures_ << " gestures, " << repeats << " frames repeated, cable lost "
              << cable.In()->Dropped() + cable.Out()->Dropped() << " and spoilt "
              << cable.In()->Spoilt() + cable.Out()->Spoilt() << " messages, 0 link failures" << std::endl;
}

} // namespace

} // namespace editortest
