#include "tools/layercheck/LayerCheck.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>

namespace layering {

namespace {

namespace fs = std::filesystem;

bool IsSource(const fs::path& path)
{
    const std::string ext = path.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".hpp" || ext == ".cc" || ext == ".c";
}

bool IsSkipped(const fs::path& name)
{
    const std::string text = name.string();
    return text.starts_with('.') || text == "build";
}

// The include as a path from the top: a file beside the includer wins.
std::string ResolveInclude(const fs::path& top, const std::string& file, const std::string& include)
{
    const fs::path beside = fs::path(file).parent_path() / include;
    if (fs::exists(top / beside))
        return beside.lexically_normal().generic_string();
    return include;
}

void CheckFile(const fs::path& top, const std::string& file, const CLayerRules& rules, std::vector<Violation>& out)
{
    static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::ifstream in(top / file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, kInclude))
            continue;
        const std::string include = ResolveInclude(top, file, match[1].str());
        if (rules.IsProjectPath(include) && !rules.Allows(file, include))
            out.push_back({file, number, include});
    }
}

} // namespace

std::vector<std::string> ListSources(const fs::path& top)
{
    std::vector<std::string> files;
    for (auto it = fs::recursive_directory_iterator(top); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && IsSkipped(it->path().filename())) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file() && IsSource(it->path()))
            files.push_back(fs::relative(it->path(), top).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Violation> CheckTree(const fs::path& top, const CLayerRules& rules)
{
    std::vector<Violation> violations;
    for (const std::string& file : ListSources(top))
        if (rules.Governs(file))
            CheckFile(top, file, rules, violations);
    return violations;
}

std::vector<std::vector<std::string>> FilesSharingAName(const fs::path& top)
{
    std::map<std::string, std::vector<std::string>> byName;
    for (const std::string& file : ListSources(top))
        byName[fs::path(file).filename().string()].push_back(file);
    std::vector<std::vector<std::string>> shared;
    for (auto& [name, files] : byName)
        if (files.size() > 1)
            shared.push_back(std::move(files));
    return shared;
}

std::string Describe(const Violation& violation)
{
    return violation.file + ":" + std::to_string(violation.line) + ": includes \"" + violation.include + "\"";
}

} // namespace layering
