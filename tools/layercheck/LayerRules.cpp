#include "tools/layercheck/LayerRules.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace layering {

namespace {

bool Holds(std::string_view folder, std::string_view path)
{
    return path.starts_with(folder) && (path.size() == folder.size() || path[folder.size()] == '/');
}

std::string_view TopOf(std::string_view path)
{
    return path.substr(0, path.find('/'));
}

// The length of the longest entry holding the path, or 0.
size_t LongestHolding(const std::vector<std::string>& entries, std::string_view path)
{
    size_t best = 0;
    for (const std::string& entry : entries) {
        if (Holds(entry, path) && entry.size() > best)
            best = entry.size();
    }
    return best;
}

} // namespace

CLayerRules CLayerRules::Parse(std::istream& text)
{
    CLayerRules rules;
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string folder;
        if (!(words >> folder))
            continue;
        if (folder.size() < 2 || folder.back() != ':')
            throw std::runtime_error("rules line " + std::to_string(number) + ": expected \"<folder>:\"");
        Rule rule;
        rule.folder = folder.substr(0, folder.size() - 1);
        for (std::string word; words >> word;) {
            if (word == "*")
                rule.any = true;
            else if (word.starts_with('!'))
                rule.forbidden.push_back(word.substr(1));
            else
                rule.allowed.push_back(word);
        }
        rules.AddTop(rule.folder);
        for (const auto* list : {&rule.allowed, &rule.forbidden}) {
            for (const std::string& name : *list)
                rules.AddTop(name);
        }
        rules.rules_.push_back(std::move(rule));
    }
    return rules;
}

void CLayerRules::AddTop(std::string_view folder)
{
    const std::string top(TopOf(folder));
    if (std::find(tops_.begin(), tops_.end(), top) == tops_.end())
        tops_.push_back(top);
}

const CLayerRules::Rule* CLayerRules::RuleFor(std::string_view file) const
{
    const Rule* best = nullptr;
    for (const Rule& rule : rules_) {
        if (Holds(rule.folder, file) && (!best || rule.folder.size() > best->folder.size()))
            best = &rule;
    }
    return best;
}

bool CLayerRules::Governs(std::string_view file) const
{
    return RuleFor(file) != nullptr;
}

bool CLayerRules::IsProjectPath(std::string_view include) const
{
    return include.find('/') != std::string_view::npos &&
        std::find(tops_.begin(), tops_.end(), TopOf(include)) != tops_.end();
}

bool CLayerRules::Allows(std::string_view file, std::string_view include) const
{
    const Rule* rule = RuleFor(file);
    if (!rule)
        return true;
    const size_t forbidden = LongestHolding(rule->forbidden, include);
    const size_t allowed = LongestHolding(rule->allowed, include);
    if (forbidden > 0 && forbidden >= allowed)
        return false;
    return allowed > 0 || rule->any;
}

} // namespace layering
