// helpgen <guide folder> <output folder>: writes the editor's help. The
// guide's pages are copied; the module types' reference pages are written
// from the type tables; the guide's topic map gets the lines of the types
// and their parameters.
#include "modules/ModuleCatalogueContent.h"
#include "tools/helpgen/ModuleHelpPages.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool Write(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
    return out.good();
}

std::string Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: helpgen <guide folder> <output folder>\n");
        return 2;
    }
    const fs::path guide = argv[1];
    const fs::path out = argv[2];
    std::error_code error;
    fs::create_directories(out / "modules", error);
    if (error) {
        std::fprintf(stderr, "helpgen: cannot make %s: %s\n", out.c_str(), error.message().c_str());
        return 1;
    }
    bool ok = true;
    std::string topics;
    for (const fs::directory_entry& entry : fs::directory_iterator(guide)) {
        if (!entry.is_regular_file())
            continue;
        if (entry.path().filename() == "topics.map")
            topics = Read(entry.path());
        else
            ok = Write(out / entry.path().filename(), Read(entry.path())) && ok;
    }
    const CModuleHelpPages pages(GetSharedModuleCatalogue());
    for (const CBuildModule* builder : pages.Types())
        ok = Write(out / "modules" / CModuleHelpPages::PageName(*builder), pages.TypePage(*builder)) && ok;
    ok = Write(out / "modules" / "index.html", pages.IndexPage()) && ok;
    topics += "# The module types and their parameters, from the type tables.\n";
    for (const std::string& line : pages.TopicLines())
        topics += line + "\n";
    ok = Write(out / "topics.map", topics) && ok;
    if (!ok)
        std::fprintf(stderr, "helpgen: could not write the help into %s\n", out.c_str());
    return ok ? 0 : 1;
}
