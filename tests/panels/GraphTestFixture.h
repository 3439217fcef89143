#pragma once

#include "panels/graphs/GraphPenHook.h"
#include "panels/panel/LayoutModule.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "tests/panels/PanelTestFixture.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

namespace paneltest {

// Writes down every pen move and line of the graphs while it lives:
// "Mx,y" for a move, "Lx,y" and a colour letter for a line (c curve,
// o outline, g grid, y the yellow hold, ? any other).
class CPenRecorder final : public CGraphPenHook {
public:
    CPenRecorder() { Install(this); }
    ~CPenRecorder() override { Install(nullptr); }
    CPenRecorder(const CPenRecorder&) = delete;
    CPenRecorder& operator=(const CPenRecorder&) = delete;

    void PenMoved(int16_t x, int16_t y) override { Add("M" + Point(x, y)); }
    void LineDrawn(int16_t x, int16_t y, const NSHarrowen::CColor& colour) override
    {
        Add("L" + Point(x, y) + Letter(colour));
    }

    std::string text;
    int lines = 0;

private:
    static std::string Point(int16_t x, int16_t y) { return std::to_string(x) + "," + std::to_string(y); }
    static char Letter(const NSHarrowen::CColor& c)
    {
        const auto is = [&c](uint16_t r, uint16_t g, uint16_t b) { return c.red == r && c.green == g && c.blue == b; };
        return is(0, 0xFF00, 0)          ? 'c'
            : is(0, 0, 0)                ? 'o'
            : is(0xC000, 0xC000, 0xC000) ? 'g'
            : is(0xC800, 0xC800, 0)      ? 'y'
                                         : '?';
    }
    void Add(const std::string& step)
    {
        lines += step[0] == 'L';
        text += text.empty() ? step : " " + step;
    }
};

// Module panels with their graphs; values reach them as the synthesizer
// sends them.
class GraphTest : public PanelTest {
protected:
    template <typename T> T& Item(CModule& module)
    {
        for (const auto& item : dynamic_cast<CLayoutModule&>(module).GetItems()) {
            if (auto* found = dynamic_cast<T*>(item.get())) {
                return *found;
            }
        }
        throw std::runtime_error("no such item");
    }
    // Parameter values by index, as one packet from the synthesizer.
    void SetValues(uint8_t module, std::initializer_list<std::pair<uint8_t, uint8_t>> values)
    {
        CMoleculePacket packet;
        for (const auto& [param, value] : values) {
            packet.Append(std::make_unique<CMParamChange>(kArea, module, param, value));
        }
        patch->ApplyMoleculeList(packet);
    }
    void SendCustomData(uint8_t module, std::vector<uint8_t> bytes)
    {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMCustomData>(kArea, module, std::move(bytes)));
        patch->ApplyMoleculeList(packet);
    }
    // What the graph draws on its next paint.
    std::string Pens(NSHarrowen::CView& graph)
    {
        CPenRecorder recorder;
        graph.InvalidateFrame();
        Redraw();
        return recorder.text;
    }
    NSHarrowen::CPoint Inside(const NSHarrowen::CView& view, int dx, int dy) const
    {
        return NSHarrowen::CPoint(static_cast<int16_t>(view.GetFrame().left + dx),
                                  static_cast<int16_t>(view.GetFrame().top + dy));
    }
};

} // namespace paneltest
