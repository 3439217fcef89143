#include "synth/protocol/TextFunctions.h"

#include "framework/resources/ResourceText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

std::string IntToString(int32_t value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

namespace {

// Adds one to the last digit of a decimal text of digits and at most one
// point, carrying to the left.
void IncrementDecimal(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.')
            continue;
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::string FloatToString(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 30);
    if (!std::isfinite(value)) {
        std::ostringstream out;
        out << value;
        return out.str();
    }
    // Print far more digits than asked (glibc prints the binary value's
    // exact decimal expansion), then round by hand so that an exact half
    // goes up instead of to even.
    constexpr int kExtra = 40;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals + kExtra, std::fabs(value));
    std::string text(buffer);
    const size_t point = text.find('.');
    const size_t keep = decimals == 0 ? point : point + 1 + decimals;
    const bool roundUp = text[point + 1 + decimals] >= '5';
    text.resize(keep);
    if (roundUp)
        IncrementDecimal(text);
    if (std::signbit(value))
        text.insert(text.begin(), '-');
    return text;
}

namespace {

bool IsPatchNameChar(char c)
{
    return c >= ' ' && c <= '}';
}

bool IsFileNameChar(char c)
{
    return IsPatchNameChar(c) && std::string_view("\"*/:<>?\\|").find(c) == std::string_view::npos;
}

template <typename Keep> bool RemoveCharsNotIn(std::string& text, Keep keep)
{
    const auto end = std::remove_if(text.begin(), text.end(), [&](char c) { return !keep(c); });
    const bool removed = end != text.end();
    text.erase(end, text.end());
    return removed;
}

} // namespace

bool RemoveInvalidPatchNameChars(std::string& text)
{
    return RemoveCharsNotIn(text, IsPatchNameChar);
}

bool RemoveInvalidFileNameChars(std::string& text)
{
    return RemoveCharsNotIn(text, IsFileNameChar);
}

std::string PatchNameFromText(std::string_view file)
{
    const size_t slash = file.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? file : file.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string_view::npos)
        base = base.substr(0, dot);
    std::string name(base.substr(0, 16));
    RemoveInvalidPatchNameChars(name);
    return name;
}

std::string FileNameFromPatchName(std::string_view name)
{
    std::string text(name);
    RemoveInvalidFileNameChars(text);
    return text.empty() ? std::string("_") : text;
}

void RemovePatchExtension(std::string& name)
{
    constexpr std::string_view kExtension = ".pch";
    if (name.size() >= kExtension.size() &&
        name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) == 0)
        name.resize(name.size() - kExtension.size());
}

uint32_t HelpTopicBase(uint8_t moduleType)
{
    return (uint32_t{moduleType} + 10) * 100;
}

uint32_t ParamHelpId(uint8_t moduleType, uint8_t paramIndex)
{
    return HelpTopicBase(moduleType) + paramIndex + 1;
}

uint8_t ToAreaIndex(uint8_t code)
{
    return code <= 2 ? code : 1;
}

uint8_t ClampCableColor(uint8_t value)
{
    return std::min<uint8_t>(value, 6);
}

uint8_t KeyboardAssignFromFile(uint8_t value)
{
    return value <= 2 ? value : 0;
}

uint8_t ToTriState(uint8_t value)
{
    return value <= 2 ? value : 0;
}

uint8_t ToBool01(uint8_t value)
{
    return value <= 1 ? value : 0;
}

int32_t IsNonZeroInt(int32_t value)
{
    return value != 0 ? 1 : 0;
}

int32_t IsValueOne(int32_t value)
{
    return value == 1 ? 1 : 0;
}

NSHarrowen::CPoint RectCenter(const NSHarrowen::CRect& rect)
{
    return NSHarrowen::CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

std::string GetResourceText(uint32_t stringId)
{
    constexpr size_t kBufferSize = 100;
    char buffer[kBufferSize + 1] = {};
    NSHarrowen::GetResourceString(stringId, buffer, kBufferSize);
    return buffer;
}

std::pair<uint8_t, std::string> MakeResourceTextItem(uint8_t key, uint32_t stringId)
{
    return {key, GetResourceText(stringId)};
}
