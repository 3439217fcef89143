#include "patch/PatchError.h"

#include <span>

namespace {

struct CodeText {
    uint32_t code;
    const char* text;
};

std::string TextOf(uint32_t code, std::span<const CodeText> table, const char* fallback)
{
    for (const CodeText& entry : table)
        if (entry.code == code)
            return entry.text;
    return fallback;
}

constexpr CodeText kDontExist[] = {
    {0, "Module doesn't exist"},
    {1, "Parameter doesn't exist"},
    {2, "Connector doesn't exist"},
    {3, "Cable doesn't exist"},
};

constexpr CodeText kOutOfRange[] = {
    {0, "Parameter value out of range"},  {1, "Morph delta out of range"},  {2, "Morph group out of range"},
    {3, "MIDI ctrl out of range"},        {4, "Knob doesn't exist"},        {5, "Invalid Morph keyboard assignment"},
    {6, "Invalid context specification"}, {7, "Module type doesn't exist"}, {8, "Invalid module name"},
    {9, "Invalid module position"},
};

constexpr CodeText kDoubleAssignment[] = {
    {1, "Parameter double assigned to knob"},
    {2, "Parameter double assigned to morph"},
    {3, "MIDI ctrl double assigned"},
    {4, "Knob double assigned"},
    {5, "Module already exist"},
    {6, "Jacks already connected"},
};

constexpr CodeText kToMany[] = {
    {0, "Too many modules"},
    {1, "Too many morphs assigned"},
    {2, "Too many cables"},
};

constexpr CodeText kIncompleteData[] = {
    {0, "Incomplete custom data"},
    {1, "Incomplete parameter data"},
};

constexpr CodeText kMapError[] = {
    {0, "Morph assignment problem"},
    {1, "Ctrl assignment problem"},
    {2, "Knob assignment problem"},
    {3, "Patch settings problem"},
};

} // namespace

void XPatchError::Add(const XPatchError& error)
{
    if (count_ == 0)
        message_ = error.GetText();
    if (count_ < UINT16_MAX)
        ++count_;
}

std::string XPDontExist::GetText() const
{
    return TextOf(GetCode(), kDontExist, "??? Doesn't exist");
}

std::string XPOutOfRange::GetText() const
{
    return TextOf(GetCode(), kOutOfRange, "??? out of range");
}

std::string XPDoubleAssignment::GetText() const
{
    return TextOf(GetCode(), kDoubleAssignment, "??? double assignment");
}

std::string XPToMany::GetText() const
{
    return TextOf(GetCode(), kToMany, "??? too many");
}

std::string XPIncompleteData::GetText() const
{
    return TextOf(GetCode(), kIncompleteData, "??? - incomplete dump");
}

std::string XPMapError::GetText() const
{
    return TextOf(GetCode(), kMapError, "??? problem");
}
