#pragma once

#include "platform/base/Geometry.h"

#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace firsthour {

// What the running editor reports of itself (its PATCHORA_STATE_REPORT).
struct EditorReport {
    struct Window {
        int number = 0;
        platform::Rect rect;
        bool visible = false;
        bool active = false;
        bool document = false;
        std::string title;
    };
    struct View {
        int window = 0;
        std::string kind; // button, checkbox, popup, tab, text, ...
        platform::Rect rect;
        bool checked = false; // a check box ticked, a tab selected
        std::string text;
    };
    struct Patch {
        int number = 0;
        bool active = false, dirty = false, shown = false;
        bool busy = false; // its slot waits for the synthesizer: edits and keys are not taken
        int port = 4, slot = 4;
        std::string title;
        std::string file;     // the editor's own copy of it
        platform::Rect split; // the bar between its voice areas, on the screen
    };
    struct Module {
        int patch = 0, area = 0, index = 0, type = 0, column = 0, row = 0;
        platform::Rect rect;
        std::string name;
    };
    struct Control {
        int patch = 0, area = 0, module = 0, param = 0, value = 0;
        platform::Rect rect;
    };
    struct Jack {
        int patch = 0, area = 0, module = 0, index = 0;
        bool output = false;
        platform::Rect rect;
    };

    unsigned serial = 0;
    platform::Rect frame;
    std::vector<platform::Rect> menuTitles;
    std::vector<Window> windows;
    std::vector<View> views;
    std::vector<std::string> ports;
    std::vector<std::string> midiIn, midiOut;
    std::vector<Patch> patches;
    std::vector<Module> modules;
    std::vector<Control> controls;
    std::vector<Jack> jacks;
    std::optional<double> repaintMs;
    struct Tooltip {
        platform::Rect rect;
        std::string text;
    };
    std::vector<Tooltip> tooltips; // the tips shown

    static EditorReport Parse(std::istream& in);

    const Window* FindWindow(const std::string& title) const;
    // The first view of a window (by title) of this kind whose text starts with `text`.
    const View* FindView(const std::string& window, const std::string& kind, const std::string& text) const;
    // The views of a window, in tree order.
    std::vector<View> ViewsOf(const std::string& window) const;
    const Patch* ActivePatch() const;
    const Patch* FindPatch(const std::string& titleStart) const;
    const Module* FindModule(int patch, int area, int index) const;
    const Control* FindControl(int patch, int area, int module, int param) const;
    const Jack* FindJack(int patch, int area, int module, int index, bool output) const;
};

} // namespace firsthour
