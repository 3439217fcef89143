// The resource compiler: turns a manifest of resources into a C++ source file
// that links them into a program as a CResourceModule.
//
//   rescomp <manifest> <output.cpp> <output.h> <depfile> [--fallback] [--root <folder>]
//
// A manifest line is "<type> <number> <file>", blank lines and lines starting
// with "#" are ignored, and one line "module <Name>" names the module (and
// the function the generated header declares). Files are read relative to
// the manifest, or to the --root folder (for files the build generates). Most types are taken byte for byte; "VERS" is compiled from
// its text form (see CompileVersion), and so is a "DLOG" whose file ends in
// ".dlg" (see CompileDialog).
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Resource {
    std::string type;
    long number = 0;
    fs::path file;
    std::vector<uint8_t> bytes;
};

struct Manifest {
    std::string module;
    std::vector<Resource> resources;
};

std::vector<uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

void PutWord(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

// Version text: "FileVersion a.b.c.d" and "ProductVersion <text>" lines.
// Binary form: the four file-version parts as big-endian 16-bit words, then
// the product version text and a NUL.
std::vector<uint8_t> CompileVersion(const std::vector<uint8_t>& text, const std::string& where)
{
    std::istringstream in(std::string(text.begin(), text.end()));
    unsigned parts[4] = {0, 0, 0, 0};
    std::string product;
    bool haveFile = false;
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : Trim(line.substr(space));
        if (key == "FileVersion") {
            char dot;
            std::istringstream v(value);
            v >> parts[0] >> dot >> parts[1] >> dot >> parts[2] >> dot >> parts[3];
            if (!v || parts[0] > 0xFFFF || parts[1] > 0xFFFF || parts[2] > 0xFFFF || parts[3] > 0xFFFF)
                throw std::runtime_error(where + ": FileVersion needs four numbers a.b.c.d");
            haveFile = true;
        } else if (key == "ProductVersion") {
            product = value;
        } else {
            throw std::runtime_error(where + ": unknown version key " + key);
        }
    }
    if (!haveFile)
        throw std::runtime_error(where + ": no FileVersion");
    std::vector<uint8_t> out;
    for (unsigned p : parts)
        PutWord(out, p);
    out.insert(out.end(), product.begin(), product.end());
    out.push_back(0);
    return out;
}

void PutLE16(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutLE32(std::vector<uint8_t>& out, uint32_t value)
{
    PutLE16(out, value & 0xFFFF);
    PutLE16(out, value >> 16);
}

void PutUtf16(std::vector<uint8_t>& out, const std::string& text)
{
    for (unsigned char c : text)
        PutLE16(out, c);
    PutLE16(out, 0);
}

// The rest of a line after a word: a quoted text, or the words as they stand.
std::string TextArgument(std::istringstream& words)
{
    std::string rest;
    std::getline(words, rest);
    rest = Trim(rest);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"')
        rest = rest.substr(1, rest.size() - 2);
    return rest;
}

// Dialog text, one statement a line:
//   dialog <x> <y> <cx> <cy> [style]      the frame in dialog units
//   title <text>                          optional
//   font <points> <face>                  optional (sets style bit 0x40)
//   item <id> <class> <x> <y> <cx> <cy> <style> [text]
// where class is button, edit, static, listbox, scrollbar, combobox (the
// predefined atoms) or any other class name, and numbers may be hexadecimal.
// Binary form: the little-endian dialog template the framework reads.
std::vector<uint8_t> CompileDialog(const std::vector<uint8_t>& text, const std::string& where)
{
    struct Item {
        uint32_t style;
        int x, y, cx, cy;
        unsigned id;
        std::string className;
        std::string text;
    };
    static const std::pair<const char*, unsigned> kAtoms[] = {
        {"button", 0x80}, {"edit", 0x81}, {"static", 0x82}, {"listbox", 0x83}, {"scrollbar", 0x84}, {"combobox", 0x85}};
    std::istringstream in(std::string(text.begin(), text.end()));
    uint32_t style = 0x80C80000;
    int frame[4] = {0, 0, 0, 0};
    bool haveFrame = false;
    std::string title;
    unsigned points = 0;
    std::string face;
    std::vector<Item> items;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        const std::string at = where + " line " + std::to_string(lineNo);
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "dialog") {
            words >> frame[0] >> frame[1] >> frame[2] >> frame[3];
            if (!words)
                throw std::runtime_error(at + ": dialog needs x y cx cy");
            std::string s;
            if (words >> s)
                style = static_cast<uint32_t>(std::stoul(s, nullptr, 0));
            haveFrame = true;
        } else if (key == "title") {
            title = TextArgument(words);
        } else if (key == "font") {
            words >> points;
            face = TextArgument(words);
            if (face.empty())
                throw std::runtime_error(at + ": font needs a size and a face");
        } else if (key == "item") {
            Item item{};
            std::string styleText;
            words >> item.id >> item.className >> item.x >> item.y >> item.cx >> item.cy >> styleText;
            if (!words)
                throw std::runtime_error(at + ": item needs id class x y cx cy style");
            item.style = static_cast<uint32_t>(std::stoul(styleText, nullptr, 0));
            item.text = TextArgument(words);
            items.push_back(item);
        } else {
            throw std::runtime_error(at + ": unknown dialog statement " + key);
        }
    }
    if (!haveFrame)
        throw std::runtime_error(where + ": no dialog line");
    if (!face.empty())
        style |= 0x40;
    std::vector<uint8_t> out;
    PutLE32(out, style);
    PutLE32(out, 0);
    PutLE16(out, static_cast<unsigned>(items.size()));
    for (int v : frame)
        PutLE16(out, static_cast<unsigned>(v));
    PutLE16(out, 0); // no menu
    PutLE16(out, 0); // the standard class
    PutUtf16(out, title);
    if (!face.empty()) {
        PutLE16(out, points);
        PutUtf16(out, face);
    }
    for (const Item& item : items) {
        while (out.size() % 4 != 0)
            out.push_back(0);
        PutLE32(out, item.style | 0x50000000); // a visible child
        PutLE32(out, 0);
        for (int v : {item.x, item.y, item.cx, item.cy})
            PutLE16(out, static_cast<unsigned>(v));
        PutLE16(out, item.id);
        unsigned atom = 0;
        for (const auto& [name, value] : kAtoms)
            if (item.className == name)
                atom = value;
        if (atom != 0) {
            PutLE16(out, 0xFFFF);
            PutLE16(out, atom);
        } else {
            PutUtf16(out, item.className);
        }
        PutUtf16(out, item.text);
        PutLE16(out, 0); // no creation data
    }
    return out;
}

Manifest ReadManifest(const fs::path& path, const fs::path& root)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    Manifest m;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where = path.string() + ":" + std::to_string(lineNo);
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "module") {
            words >> m.module;
            continue;
        }
        Resource r;
        r.type = first;
        std::string file;
        words >> r.number >> file;
        if (!words || r.type.size() != 4)
            throw std::runtime_error(where + ": expected <type of four characters> <number> <file>");
        r.file = root / file;
        r.bytes = ReadBytes(r.file);
        if (r.type == "VERS")
            r.bytes = CompileVersion(r.bytes, where);
        else if (r.type == "DLOG" && r.file.extension() == ".dlg")
            r.bytes = CompileDialog(r.bytes, where);
        m.resources.push_back(std::move(r));
    }
    if (m.module.empty())
        throw std::runtime_error(path.string() + ": no module line");
    return m;
}

void WriteSource(const Manifest& m, const fs::path& cpp, const std::string& headerName, bool fallback)
{
    std::ofstream out(cpp);
    out << "// Generated by rescomp. Do not edit.\n";
    out << "#include \"resources/" << headerName << "\"\n\n";
    out << "namespace {\n";
    for (size_t i = 0; i < m.resources.size(); ++i) {
        const auto& bytes = m.resources[i].bytes;
        out << "HARROWEN_RESOURCE_BYTES const uint8_t kResource" << i << "[] = {";
        for (size_t j = 0; j < bytes.size(); ++j)
            out << (j % 16 == 0 ? "\n    " : " ") << static_cast<unsigned>(bytes[j]) << ",";
        if (bytes.empty())
            out << "0";
        out << "\n};\n";
    }
    out << "const NSHarrowen::CResourceEntry kEntries[] = {\n";
    for (size_t i = 0; i < m.resources.size(); ++i)
        out << "    {\"" << m.resources[i].type << "\", " << m.resources[i].number << ", kResource" << i << ", "
            << m.resources[i].bytes.size() << "},\n";
    if (m.resources.empty())
        out << "    {\"NONE\", 0, nullptr, 0},\n";
    out << "};\n} // namespace\n\n";
    out << "const NSHarrowen::CResourceModule& " << m.module << "()\n{\n";
    out << "    static const NSHarrowen::CResourceModule module(\"" << m.module << "\", kEntries, "
        << (fallback ? "NSHarrowen::CResourceModule::Placement::Fallback"
                     : "NSHarrowen::CResourceModule::Placement::First")
        << ");\n    return module;\n}\n";
}

void WriteHeader(const Manifest& m, const fs::path& header)
{
    std::ofstream out(header);
    out << "// Generated by rescomp. Do not edit.\n#pragma once\n\n#include "
           "\"framework/resources/ResourceModule.h\"\n\n";
    out << "// Registers the module on first call and returns it.\n";
    out << "const NSHarrowen::CResourceModule& " << m.module << "();\n";
}

void WriteDepfile(const Manifest& m, const fs::path& manifest, const fs::path& depfile, const fs::path& cpp)
{
    std::ofstream out(depfile);
    out << cpp.string() << ":";
    out << " \\\n  " << manifest.string();
    for (const auto& r : m.resources)
        out << " \\\n  " << r.file.string();
    out << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::cerr << "usage: rescomp <manifest> <output.cpp> <output.h> <depfile> [--fallback] [--root <folder>]\n";
        return 2;
    }
    try {
        const fs::path manifest = argv[1];
        bool fallback = false;
        fs::path root = manifest.parent_path();
        for (int i = 5; i < argc; ++i) {
            const std::string option = argv[i];
            if (option == "--fallback")
                fallback = true;
            else if (option == "--root" && i + 1 < argc)
                root = argv[++i];
            else
                throw std::runtime_error("unknown option " + option);
        }
        const Manifest m = ReadManifest(manifest, root);
        WriteSource(m, argv[2], fs::path(argv[3]).filename().string(), fallback);
        WriteHeader(m, argv[3]);
        WriteDepfile(m, manifest, argv[4], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "rescomp: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
