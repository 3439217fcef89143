#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The short forms the module faces and the toolbar may print where a whole
// name does not fit: a word's abbreviation wherever the word stands in a
// name, a whole name's short form, and one short name per module type for
// its toolbar button. Nothing else may shorten a name: a reader knows these.
struct WordAbbreviation {
    const char* word;
    const char* shortForm;
};
struct NameAbbreviation {
    const char* name;
    const char* shortForm;
};
struct TypeButtonName {
    uint8_t typeId;
    const char* buttonName; // at most four characters a line; a blank may break it in two
};

std::span<const WordAbbreviation> WordAbbreviations();
std::span<const NameAbbreviation> NameAbbreviations();
// The names cut to the synthesizer's ten characters, each with its whole words.
std::span<const NameAbbreviation> SpelledOutNames();

// The forms a name may be printed in: the name itself first (in whole words
// where it is cut, in title case), then its listed short forms, longest first.
std::vector<std::string> LabelForms(std::string_view name);

// The short name on a type's toolbar button; empty for a type not listed.
std::string ButtonName(uint8_t typeId);
