#include "tools/helpgen/ModuleHelpPages.h"

#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"

#include <cctype>
#include <sstream>

namespace {

// The values a type's parameters have before anyone turns them: the ones a
// value text of two parameters reads for the other.
class CDefaultValues final : public CParamValueSourceInterface {
public:
    explicit CDefaultValues(const CBuildModule& builder) : builder_(builder) { }
    uint8_t GetParamValue(uint8_t paramIndex) const override { return builder_.GetDefault(paramIndex); }

private:
    const CBuildModule& builder_;
};

const char* KindName(SignalKind kind)
{
    switch (kind) {
    case SignalKind::Logic:
        return "logic";
    case SignalKind::Audio:
        return "audio";
    case SignalKind::Control:
        return "control";
    case SignalKind::Slave:
        return "slave";
    }
    return "?";
}

std::string Head(const std::string& title, const std::string& stylesheet)
{
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
        "</title>\n<link rel=\"stylesheet\" href=\"" + stylesheet + "\">\n</head>\n<body>\n";
}

const char* const kFoot = "</body>\n</html>\n";

void WriteParams(std::ostream& out, const CBuildModule& builder)
{
    const uint8_t count = builder.GetParamCount();
    if (count == 0) {
        out << "<p>This module has no parameters.</p>\n";
        return;
    }
    const CDefaultValues defaults(builder);
    out << "<table>\n<tr><th>#</th><th>Parameter</th><th>Range</th><th>Steps</th><th>Default</th>"
           "<th>Morph</th></tr>\n";
    for (uint8_t p = 0; p < count; ++p) {
        const uint8_t max = builder.GetParamMax(p);
        out << "<tr id=\"param-" << p + 1 << "\"><td>" << p + 1 << "</td><td>" << HtmlEscape(builder.GetParamName(p))
            << "</td><td>" << HtmlEscape(builder.FormatParamValue(p, 0, defaults)) << " to "
            << HtmlEscape(builder.FormatParamValue(p, max, defaults)) << "</td><td>" << max + 1 << "</td><td>"
            << HtmlEscape(builder.FormatParamValue(p, builder.GetDefault(p), defaults)) << "</td><td>"
            << (builder.IsMorphAllowed(p) ? "yes" : "no") << "</td></tr>\n";
    }
    out << "</table>\n";
}

void WriteJacks(std::ostream& out, const CBuildModule& builder, JackDirection direction, const char* heading)
{
    bool labelled = false;
    for (const JackSpec& jack : builder.GetJacks())
        labelled = labelled || (jack.direction == direction && jack.faceLabel);
    std::ostringstream rows;
    unsigned number = 0;
    for (const JackSpec& jack : builder.GetJacks()) {
        if (jack.direction != direction)
            continue;
        rows << "<tr><td>" << ++number << "</td><td>" << KindName(jack.kind) << "</td>";
        if (labelled)
            rows << "<td>" << HtmlEscape(jack.faceLabel ? jack.faceLabel : "") << "</td>";
        rows << "</tr>\n";
    }
    out << "<h3>" << heading << "</h3>\n";
    if (number == 0) {
        out << "<p>None.</p>\n";
        return;
    }
    out << "<table>\n<tr><th>#</th><th>Signal</th>" << (labelled ? "<th>Label</th>" : "") << "</tr>\n"
        << rows.str() << "</table>\n";
}

} // namespace

std::string HtmlEscape(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

CModuleHelpPages::CModuleHelpPages(const CModuleCatalogue& catalogue) : catalogue_(catalogue) { }

std::string CModuleHelpPages::PageName(const CBuildModule& builder)
{
    // Two types share a short name ("Mixer"), and names hold blanks: the type
    // id makes the name unique, the letters and digits of the name readable.
    std::string name = std::to_string(builder.GetTypeId()) + "-";
    for (const char* c = builder.GetShortName(); *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
    return name + ".html";
}

std::vector<const CBuildModule*> CModuleHelpPages::Types() const
{
    std::vector<const CBuildModule*> types;
    for (size_t tab = 0; tab < catalogue_.GetTabCount(); ++tab)
        for (const uint8_t id : catalogue_.GetTabTypes(tab))
            if (const CBuildModule* builder = id ? catalogue_.FindBuilder(id) : nullptr)
                types.push_back(builder);
    return types;
}

std::string CModuleHelpPages::TypePage(const CBuildModule& builder) const
{
    std::ostringstream out;
    const std::string name = builder.GetShortName();
    out << Head(name + " (" + builder.GetLongName() + ")", "../help.css");
    out << "<p class=\"nav\"><a href=\"../index.html\">Contents</a> &gt; <a href=\"index.html\">Module types</a></p>\n";
    out << "<h1 id=\"module\">" << HtmlEscape(name) << "</h1>\n";
    out << "<p>" << HtmlEscape(builder.GetLongName()) << ", on the toolbar's "
        << HtmlEscape(catalogue_.GetTabName(builder.GetTabIndex())) << " tab. Type " << unsigned(builder.GetTypeId())
        << ", " << unsigned(builder.GetHeight()) << " grid units high. Its tooltip on the toolbar gives its share of "
        << "the DSP's cycles: <q>" << HtmlEscape(builder.FormatLoadText()) << "</q>.</p>\n";
    out << "<h2 id=\"parameters\">Parameters</h2>\n";
    WriteParams(out, builder);
    out << "<h2 id=\"jacks\">Jacks</h2>\n";
    WriteJacks(out, builder, JackDirection::Input, "Inputs");
    WriteJacks(out, builder, JackDirection::Output, "Outputs");
    out << kFoot;
    return out.str();
}

std::string CModuleHelpPages::IndexPage() const
{
    std::ostringstream out;
    out << Head("Module types", "../help.css");
    out << "<p class=\"nav\"><a href=\"../index.html\">Contents</a></p>\n<h1>Module types</h1>\n";
    out << "<p>Every module type, on the toolbar tab it is dragged from.</p>\n";
    for (size_t tab = 0; tab < catalogue_.GetTabCount(); ++tab) {
        out << "<h2>" << HtmlEscape(catalogue_.GetTabName(tab)) << "</h2>\n<ul>\n";
        for (const uint8_t id : catalogue_.GetTabTypes(tab)) {
            const CBuildModule* builder = id ? catalogue_.FindBuilder(id) : nullptr;
            if (builder)
                out << "<li><a href=\"" << PageName(*builder) << "\">" << HtmlEscape(builder->GetShortName())
                    << "</a>: " << HtmlEscape(builder->GetLongName()) << "</li>\n";
        }
        out << "</ul>\n";
    }
    out << kFoot;
    return out.str();
}

std::vector<std::string> CModuleHelpPages::TopicLines() const
{
    std::vector<std::string> lines;
    for (const CBuildModule* builder : Types()) {
        const std::string page = "modules/" + PageName(*builder);
        lines.push_back(std::to_string(builder->GetHelpTopic()) + " " + page + "#module");
        for (uint8_t p = 0; p < builder->GetParamCount(); ++p)
            lines.push_back(std::to_string(builder->GetParamHelpTopic(p)) + " " + page + "#param-" +
                            std::to_string(p + 1));
    }
    return lines;
}
