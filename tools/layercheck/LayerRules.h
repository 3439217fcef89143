#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace layering {

// Which folders the files of a folder may include, read from a rules file:
//
//     # comment
//     <folder>: <folder> <folder> !<folder> ...
//
// The rule of a file is the one of the longest folder holding it. An include
// is allowed when the longest listed folder holding it is listed plainly, and
// refused when that folder is listed with "!" or when none is listed. "*"
// stands for every folder. A "folder" may also name a single file.
class CLayerRules {
public:
    // Throws std::runtime_error naming the line of a malformed rule.
    static CLayerRules Parse(std::istream& text);

    // True when some rule governs the file (a path relative to the top).
    bool Governs(std::string_view file) const;
    // True when the file may include the path (both relative to the top).
    bool Allows(std::string_view file, std::string_view include) const;
    // True when the path starts with a folder some rule names.
    bool IsProjectPath(std::string_view include) const;

private:
    struct Rule {
        std::string folder;
        std::vector<std::string> allowed;
        std::vector<std::string> forbidden;
        bool any = false;
    };
    void AddTop(std::string_view folder);
    const Rule* RuleFor(std::string_view file) const;

    std::vector<Rule> rules_;
    std::vector<std::string> tops_; // first parts of every folder named
};

} // namespace layering
