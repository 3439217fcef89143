#pragma once

#include <string>
#include <vector>

class CBuildModule;
class CModuleCatalogue;

// The help's reference pages of the module types, written from the type
// tables: one page per type (what it is, its parameters with their ranges
// and defaults, its jacks) and a list of the types by toolbar tab, with the
// topic map lines that lead the editor's help topics to them.
class CModuleHelpPages {
public:
    explicit CModuleHelpPages(const CModuleCatalogue& catalogue);

    // A type's page ("modules/" and its page name, in the help).
    std::string TypePage(const CBuildModule& builder) const;
    // The list of every type, by toolbar tab ("modules/index.html").
    std::string IndexPage() const;
    // "<topic> <page>#<anchor>" for each type and each of its parameters.
    std::vector<std::string> TopicLines() const;
    // Every type's builder, in toolbar order.
    std::vector<const CBuildModule*> Types() const;

    // "<type id>-<letters and digits of the short name>.html".
    static std::string PageName(const CBuildModule& builder);

private:
    const CModuleCatalogue& catalogue_;
};

// Text made safe inside HTML.
std::string HtmlEscape(const std::string& text);
