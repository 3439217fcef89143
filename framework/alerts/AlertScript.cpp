#include "framework/alerts/AlertScript.h"

#include "framework/controls/ControlLogic.h"

namespace NSHarrowen {

namespace {

std::string Cut(std::string_view text, size_t max)
{
    return BoundedText(text, max);
}

std::string TrimLineBreaks(std::string_view text)
{
    const auto first = text.find_first_not_of("\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of("\r\n");
    return std::string(text.substr(first, last - first + 1));
}

int32_t IconKindOf(std::string_view script)
{
    static constexpr struct {
        std::string_view tag;
        int32_t kind;
    } kTags[] = {{"[STOP]", kAlertIconStop}, {"[NOTE]", kAlertIconNote}, {"[WARN]", kAlertIconWarn}};
    for (const auto& t : kTags)
        if (script.substr(0, 6) == t.tag)
            return t.kind;
    return kAlertIconNone;
}

void FillPlaceholders(std::string& script, const std::vector<std::string>& arguments)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string mark = "^" + std::to_string(i);
        const auto at = script.find(mark);
        if (at != std::string::npos)
            script.replace(at, mark.size(), arguments[i]);
    }
}

} // namespace

CAlertScript ParseAlertText(std::string_view scriptText, const std::vector<std::string>& arguments)
{
    CAlertScript result;
    std::string script(scriptText);
    FillPlaceholders(script, arguments);
    result.iconKind = IconKindOf(script);

    std::string_view rest = script.size() > 6 ? std::string_view(script).substr(6) : std::string_view();
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']', 1);
        const auto end = close == std::string_view::npos ? rest.size() : close;
        result.title = Cut(TrimLineBreaks(rest.substr(1, end - 1)), kAlertTextLength);
        rest = close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
    }
    const auto open = rest.find('[');
    result.message = Cut(TrimLineBreaks(rest.substr(0, open)), kAlertTextLength);
    rest = open == std::string_view::npos ? std::string_view() : rest.substr(open);

    std::vector<std::string_view> labels;
    while (!rest.empty()) {
        const auto start = rest.find('[');
        if (start == std::string_view::npos)
            break;
        rest = rest.substr(start + 1);
        const auto close = rest.find(']');
        const auto label = rest.substr(0, close);
        if (labels.size() < kAlertMaxButtons)
            labels.push_back(label);
        rest = close == std::string_view::npos ? std::string_view() : rest.substr(close + 1);
    }
    result.buttonCount = static_cast<int16_t>(labels.size());
    for (size_t k = 0; k < labels.size(); ++k)
        result.labels[labels.size() - 1 - k] = Cut(labels[k], kAlertLabelLength);
    return result;
}

std::string SanitizeAlertArgument(std::string_view text)
{
    return SanitizeAlertText(Cut(text, kAlertArgumentLength));
}

std::string SanitizeAlertText(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
        else if (c == '^')
            c = '~';
    }
    return out;
}

std::string MakeAlertScript(std::string_view iconTag, std::string_view text, std::string_view label)
{
    return std::string(iconTag) + SanitizeAlertText(text) + "[" + std::string(label) + "]";
}

CAlertLayout LayoutAlert(const CAlertLayout& places, int32_t iconKind, int buttonCount)
{
    CAlertLayout layout = places;
    if (iconKind == kAlertIconNone)
        layout.message.left = places.icon.left;
    if (buttonCount == 2) {
        const int32_t shift = (places.buttons[1].left - places.buttons[0].left) / 2;
        layout.buttons[0].Offset(shift, 0);
        layout.buttons[1].Offset(shift, 0);
    } else if (buttonCount <= 1) {
        layout.buttons[0] = places.buttons[1];
    }
    return layout;
}

int NextAlertButton(int current, int count, bool right)
{
    if (count < 1)
        return 1;
    const int index = current - 1 + (right ? 1 : count - 1);
    return index % count + 1;
}

} // namespace NSHarrowen
