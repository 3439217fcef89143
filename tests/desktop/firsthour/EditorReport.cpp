#include "EditorReport.h"

#include <sstream>

namespace firsthour {

namespace {

platform::Rect ReadRect(std::istream& in)
{
    platform::Rect r;
    in >> r.left >> r.top >> r.right >> r.bottom;
    return r;
}

// The rest of the line after one blank.
std::string Rest(std::istream& in)
{
    std::string text;
    in.get();
    std::getline(in, text);
    return text;
}

bool Flag(std::istream& in)
{
    int v = 0;
    in >> v;
    return v != 0;
}

} // namespace

EditorReport EditorReport::Parse(std::istream& in)
{
    EditorReport r;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string key;
        f >> key;
        if (key == "serial") {
            f >> r.serial;
        } else if (key == "frame") {
            r.frame = ReadRect(f);
        } else if (key == "menutitle") {
            r.menuTitles.push_back(ReadRect(f));
        } else if (key == "window") {
            Window w;
            f >> w.number;
            w.rect = ReadRect(f);
            w.visible = Flag(f);
            w.active = Flag(f);
            std::string kind;
            f >> kind;
            w.document = kind == "document";
            w.title = Rest(f);
            r.windows.push_back(w);
        } else if (key == "view") {
            View v;
            f >> v.window >> v.kind;
            v.rect = ReadRect(f);
            v.checked = Flag(f);
            v.text = Rest(f);
            r.views.push_back(v);
        } else if (key == "port") {
            int n = 0;
            f >> n;
            r.ports.push_back(Rest(f));
        } else if (key == "midiin" || key == "midiout") {
            int n = 0;
            f >> n;
            (key == "midiin" ? r.midiIn : r.midiOut).push_back(Rest(f));
        } else if (key == "patch") {
            Patch p;
            f >> p.number;
            p.active = Flag(f);
            p.dirty = Flag(f);
            p.shown = Flag(f);
            p.busy = Flag(f);
            f >> p.port >> p.slot;
            p.title = Rest(f);
            r.patches.push_back(p);
        } else if (key == "split") {
            size_t n = 0;
            f >> n;
            const platform::Rect rect = ReadRect(f);
            if (n < r.patches.size())
                r.patches[n].split = rect;
        } else if (key == "patchfile") {
            int n = 0;
            std::string path;
            f >> n >> path;
            if (n >= 0 && static_cast<size_t>(n) < r.patches.size() && path != "-")
                r.patches[static_cast<size_t>(n)].file = path;
        } else if (key == "module") {
            Module m;
            f >> m.patch >> m.area >> m.index >> m.type >> m.column >> m.row;
            m.rect = ReadRect(f);
            m.name = Rest(f);
            r.modules.push_back(m);
        } else if (key == "control") {
            Control c;
            f >> c.patch >> c.area >> c.module >> c.param;
            c.rect = ReadRect(f);
            f >> c.value;
            r.controls.push_back(c);
        } else if (key == "jack") {
            Jack j;
            f >> j.patch >> j.area >> j.module >> j.index;
            j.output = Flag(f);
            j.rect = ReadRect(f);
            r.jacks.push_back(j);
        } else if (key == "tooltip") {
            Tooltip t;
            t.rect = ReadRect(f);
            t.text = Rest(f);
            r.tooltips.push_back(t);
        } else if (key == "repaint") {
            double ms = 0;
            if (f >> ms)
                r.repaintMs = ms;
        }
    }
    return r;
}

const EditorReport::Window* EditorReport::FindWindow(const std::string& title) const
{
    for (const Window& w : windows)
        if (w.title == title)
            return &w;
    return nullptr;
}

std::vector<EditorReport::View> EditorReport::ViewsOf(const std::string& window) const
{
    std::vector<View> found;
    const Window* w = FindWindow(window);
    if (!w)
        return found;
    for (const View& v : views)
        if (v.window == w->number)
            found.push_back(v);
    return found;
}

const EditorReport::View* EditorReport::FindView(const std::string& window, const std::string& kind,
                                                 const std::string& text) const
{
    const Window* w = FindWindow(window);
    if (!w)
        return nullptr;
    for (const View& v : views)
        if (v.window == w->number && v.kind == kind && v.text.rfind(text, 0) == 0)
            return &v;
    return nullptr;
}

const EditorReport::Patch* EditorReport::ActivePatch() const
{
    for (const Patch& p : patches)
        if (p.active)
            return &p;
    return nullptr;
}

const EditorReport::Patch* EditorReport::FindPatch(const std::string& titleStart) const
{
    for (const Patch& p : patches)
        if (p.title.rfind(titleStart, 0) == 0)
            return &p;
    return nullptr;
}

const EditorReport::Module* EditorReport::FindModule(int patch, int area, int index) const
{
    for (const Module& m : modules)
        if (m.patch == patch && m.area == area && m.index == index)
            return &m;
    return nullptr;
}

const EditorReport::Control* EditorReport::FindControl(int patch, int area, int module, int param) const
{
    for (const Control& c : controls)
        if (c.patch == patch && c.area == area && c.module == module && c.param == param)
            return &c;
    return nullptr;
}

const EditorReport::Jack* EditorReport::FindJack(int patch, int area, int module, int index, bool output) const
{
    for (const Jack& j : jacks)
        if (j.patch == patch && j.area == area && j.module == module && j.index == index && j.output == output)
            return &j;
    return nullptr;
}

} // namespace firsthour
